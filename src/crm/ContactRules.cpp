// The contact query with its condition, and the contact list's commands.
#include "crm/ContactRules.h"

#include "app/frame/AppContext.h"
#include "crm/CrmModule.h"
#include "crm/ListQuery.h"
#include "crm/SearchCondition.h"
#include "data/DataModule.h"

namespace {
const QStringList& ContactSearchColumns() {
    static const QStringList columns{"realname",     "department",          "contact.homepage",
                                     "contact.city", "contact.object_text", "contact.email"};
    return columns;
}

bool RunWith(const QString& condition) {
    Crm().SetContactCondition(condition);
    return RunContactQuery();
}
}  // namespace

QString ContactQuerySql(const QString& condition, const QString& order) {
    return DM().BuildSelect(QStringLiteral("contact.*, companyname"), QStringLiteral("contact"),
                            QStringLiteral("company"),
                            QStringLiteral("contact.companyid=company.id"), condition, QString(),
                            order);
}

bool RunContactQuery() {
    CrmModule& crm = Crm();
    return RunListQuery(DM().ContactQuery(), ContactQuerySql(crm.ContactCondition(), crm.ContactOrder()),
                        QStringLiteral("Kan ikke hente kontaktene:"));
}

bool RestrictContactsToCompany(int companyId) {
    return RunWith(QStringLiteral("companyid=") + QString::number(companyId));
}

bool ShowCompanyContacts(int companyId) {
    Crm().SetNewContactCompanyId(companyId);
    return RestrictContactsToCompany(companyId);
}

bool FilterContacts(const QString& text) {
    if (text.isEmpty()) return false;
    return RunWith(ContainsAnyCondition(DM().connection(), ContactSearchColumns(), text));
}

bool AskAndFilterContacts() { return FilterContacts(AskInput(QStringLiteral("Søk etter:"))); }

bool ShowContactsWithCompany() { return RunWith(QStringLiteral("companyid<>0")); }

// Contacts written by other programs may hold NULL for "no company".
bool ShowContactsWithoutCompany() {
    return RunWith(QStringLiteral("(contact.companyid=0 OR contact.companyid IS NULL)"));
}

bool ShowAllContacts() { return RunWith(QString()); }

bool SortContacts(const QString& column) {
    Query& q = DM().ContactQuery();
    if (column.isEmpty() || (q.IsActive() && !q.FieldByName(column))) return false;
    CrmModule& crm = Crm();
    const QString previous = crm.ContactOrder();
    crm.SetContactOrder(Connection::QuoteIdentifier(column));
    if (RunContactQuery()) return true;
    crm.SetContactOrder(previous);
    RunContactQuery();
    return false;
}

void ContactListClosed() {
    CrmModule& crm = Crm();
    crm.SetContactCondition(QString());
    RunContactQuery();
    crm.SetNewContactCompanyId(0);
}

bool TieContactToCurrentCompany() {
    Table& companies = DM().CompanyTable();
    Query& contacts = DM().ContactQuery();
    if (!companies.IsActive() || companies.IsEmpty() || companies.State() == DatasetState::Insert)
        return false;
    if (!contacts.IsActive() || contacts.IsEmpty()) return false;
    const qint64 companyId = companies.AsInteger(QStringLiteral("id"));
    if (!contacts.IsEditing() && !contacts.Edit()) return false;
    contacts.SetInteger(QStringLiteral("companyid"), companyId);
    if (!contacts.Post()) {
        ShowMessage(QStringLiteral("FEIL"),
                    QStringLiteral("Kan ikke lagre kontakten:\n") + contacts.LastError());
        return false;
    }
    return true;  // the contact query re-reads itself after a post
}

QString TieContactCaption() {
    Table& companies = DM().CompanyTable();
    const QString name = companies.IsActive() && !companies.IsEmpty()
                             ? companies.AsString(QStringLiteral("companyname"))
                             : QString();
    return QStringLiteral("Tilknytt til ") + name;
}

bool RemoveContactCompany(Dataset& contact) {
    if (!contact.IsActive() || contact.IsEmpty()) return false;
    if (!contact.IsEditing() && !contact.Edit()) return false;
    return contact.SetInteger(QStringLiteral("companyid"), 0);
}

QString ContactWindowCaption(const Dataset& contact) {
    return QStringLiteral("Kontakt [") + contact.AsString(QStringLiteral("id")) + QLatin1Char(']');
}
