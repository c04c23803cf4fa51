#pragma once

#include <QString>
#include <functional>

// "Vis tilhørende" of the company and contact lists: the list to show and the condition it
// is shown with. The list windows register how they show themselves with a condition;
// a list not registered yet says "Kommer i en senere versjon".
enum class RelatedList {
    Contacts,           // the contact list (the company's contacts)
    Documents,          // the document list
    TimeRegistrations,  // time registrations
    ItemTransactions,   // the item transaction list (an item condition)
    Entries,            // the entries list
    Offers,
    Orders,
    PurchaseOrders,
    Invoices,
    Calendar,  // the calendar list
};

// The condition for a company's records:
//   Documents "document.companyid=<id>", TimeRegistrations "external_company=<id>",
//   ItemTransactions "customerid=<id>", Entries, Offers, Orders, PurchaseOrders, Invoices
//   "companyid=<id>", Contacts "companyid=<id>"; "" for Calendar.
QString CompanyRelatedCondition(RelatedList list, int companyId);
// The condition for a contact's records: Documents "document.userid=<id>", Calendar
// "external_contact=<id>"; "" for the others.
QString ContactRelatedCondition(RelatedList list, int contactId);

// How a list shows itself with a condition (re-querying when it is already shown).
using RelatedListShower = std::function<void(const QString& condition)>;
// A list window registers itself (an empty function removes it).
void RegisterRelatedList(RelatedList list, RelatedListShower show);

// Shows the company's records of a list. Contacts also make the company the one new
// contacts are tied to (and run the contact query) before the contact list is shown.
// False when the list is not there yet (the user was told) or there is no company.
bool ShowCompanyRelated(RelatedList list, int companyId);
// Shows the contact's records of a list (Documents, Calendar).
bool ShowContactRelated(RelatedList list, int contactId);
