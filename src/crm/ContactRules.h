#pragma once

#include <QString>

class Dataset;

// The contact query and the contact list's rules, on the data module's ContactQuery and the
// current CrmModule's ContactCondition, NewContactCompanyId and contact order.

// The contact query's statement for a condition and an order, through the data module's
// BuildSelect (so the SQL window shows it): select contact.*, companyname from contact LEFT
// JOIN company ON contact.companyid=company.id [WHERE condition] ORDER BY order. A
// condition ending in "=" is dropped.
QString ContactQuerySql(const QString& condition, const QString& order);

// Runs ContactQuery again with ContactCondition and the contact order (hourglass). A
// statement the server refuses is logged ("SQL ERROR: ...") and its message shown
// ("FEIL"); the query is left closed. True when open.
bool RunContactQuery();

// ContactCondition := "companyid=" + id, and the query runs again (the company window on
// show and after a move, a document whose company changed).
bool RestrictContactsToCompany(int companyId);

// "Kontakter" of the company window and the list's "Vis tilhørende": NewContactCompanyId :=
// id and the contacts restricted to the company.
bool ShowCompanyContacts(int companyId);

// "Filtrer etter ...": after "Søk etter:" a non-empty answer searches realname, department,
// contact.homepage, contact.city, contact.object_text and contact.email (quoted, "%" and "_"
// wildcards). An empty or cancelled answer changes nothing. True when the condition changed.
bool AskAndFilterContacts();
bool FilterContacts(const QString& text);
// "Tilknyttet et firma": companyid<>0.
bool ShowContactsWithCompany();
// "Ikke tilknyttet et firma": no company (companyid 0 or empty).
bool ShowContactsWithoutCompany();
// "Vis alle": no condition.
bool ShowAllContacts();
// Clicking a column title: that column is the order.
bool SortContacts(const QString& column);

// The contact list closed: ContactCondition emptied, the query run again,
// NewContactCompanyId := 0.
void ContactListClosed();

// "Tilknytt til firma": the current contact gets the current company of CompanyTable, is
// posted and re-read. Nothing happens when CompanyTable is closed or empty (false).
bool TieContactToCurrentCompany();
// The menu item's text: "Tilknytt til " + the current company's name.
QString TieContactCaption();

// "X" ("Fjern tilknytning til firma"): companyid := 0 (the contact goes into editing).
bool RemoveContactCompany(Dataset& contact);

// The contact window's caption: "Kontakt [" + id + "]".
QString ContactWindowCaption(const Dataset& contact);
