// "Vis tilhørende": the lists shown with a company's or a contact's records.
#include "crm/RelatedLists.h"

#include <map>

#include "app/frame/Prompter.h"
#include "crm/ContactRules.h"

namespace {
std::map<RelatedList, RelatedListShower>& Showers() {
    static std::map<RelatedList, RelatedListShower> showers;
    return showers;
}

bool Show(RelatedList list, const QString& condition) {
    const auto it = Showers().find(list);
    if (it == Showers().end() || !it->second) {
        ShowMessage(QStringLiteral("Varlokken 6"), QStringLiteral("Kommer i en senere versjon"));
        return false;
    }
    it->second(condition);
    return true;
}
}  // namespace

QString CompanyRelatedCondition(RelatedList list, int companyId) {
    const QString id = QString::number(companyId);
    switch (list) {
        case RelatedList::Documents:
            return QStringLiteral("document.companyid=") + id;
        case RelatedList::TimeRegistrations:
            return QStringLiteral("external_company=") + id;
        case RelatedList::ItemTransactions:
            return QStringLiteral("customerid=") + id;
        case RelatedList::Contacts:
        case RelatedList::Entries:
        case RelatedList::Offers:
        case RelatedList::Orders:
        case RelatedList::PurchaseOrders:
        case RelatedList::Invoices:
            return QStringLiteral("companyid=") + id;
        case RelatedList::Calendar:
            return QString();
    }
    return QString();
}

QString ContactRelatedCondition(RelatedList list, int contactId) {
    const QString id = QString::number(contactId);
    if (list == RelatedList::Documents) return QStringLiteral("document.userid=") + id;
    if (list == RelatedList::Calendar) return QStringLiteral("external_contact=") + id;
    return QString();
}

void RegisterRelatedList(RelatedList list, RelatedListShower show) {
    if (show)
        Showers()[list] = std::move(show);
    else
        Showers().erase(list);
}

bool ShowCompanyRelated(RelatedList list, int companyId) {
    if (companyId <= 0) return false;
    const QString condition = CompanyRelatedCondition(list, companyId);
    if (condition.isEmpty()) return false;
    if (list == RelatedList::Contacts) ShowCompanyContacts(companyId);
    return Show(list, condition);
}

bool ShowContactRelated(RelatedList list, int contactId) {
    if (contactId <= 0) return false;
    const QString condition = ContactRelatedCondition(list, contactId);
    if (condition.isEmpty()) return false;
    return Show(list, condition);
}
