// The company list's filters, colours and texts.
#include "crm/CompanyRules.h"

#include "app/frame/AppContext.h"
#include "app/frame/BusyCursor.h"
#include "crm/CrmModule.h"
#include "crm/SearchCondition.h"
#include "data/DataModule.h"
#include "data/Rights.h"

namespace {
const QStringList& CompanySearchColumns() {
    static const QStringList columns{"companyname", "postaladdress", "streetaddress",
                                     "city",        "object_text",   "postalcode"};
    return columns;
}

// Shows why the table could not be read and logs the statement.
void ReportFailure(Table& table, const QString& what) {
    const QString error =
        table.LastError().isEmpty() ? table.connection().LastError() : table.LastError();
    Ctx().log().WriteLog(QStringLiteral("SQL ERROR: ") + table.SelectSql());
    ShowMessage(QStringLiteral("FEIL"), what + QStringLiteral("\n") + error);
}
}  // namespace

bool SetCompanyFilter(const QString& filter) {
    BusyCursor busy;
    Table& t = DM().CompanyTable();
    const QString previous = t.FilterSql();
    const bool wasOpen = t.IsActive();
    if (t.SetFilterSql(filter) && (!wasOpen || t.IsActive())) return true;
    ReportFailure(t, QStringLiteral("Kan ikke filtrere firmaene:"));
    t.SetFilterSql(previous);
    if (wasOpen && !t.IsActive()) t.Open();
    return false;
}

bool FilterCompanies(const QString& text) {
    if (text.isEmpty()) return false;
    DM().CompanyTable().SetFiltered(true);
    return SetCompanyFilter(ContainsAnyCondition(DM().connection(), CompanySearchColumns(), text));
}

bool AskAndFilterCompanies() { return FilterCompanies(AskInput(QStringLiteral("Søk etter:"))); }

QString CompanyKindFilter(CompanyKind kind) {
    switch (kind) {
        case CompanyKind::Customers:
            return QStringLiteral("customer=1");
        case CompanyKind::Vendors:
            return QStringLiteral("vendor=1");
        case CompanyKind::EquipmentVendors:
            return QStringLiteral("equipvendor=1");
        case CompanyKind::Partners:
            return QStringLiteral("partner=1");
        case CompanyKind::Blacklisted:
            return QStringLiteral("blacklisted=1");
    }
    return QString();
}

bool FilterCompaniesBy(CompanyKind kind) {
    DM().CompanyTable().SetFiltered(true);
    return SetCompanyFilter(CompanyKindFilter(kind));
}

bool ShowAllCompanies() {
    DM().CompanyTable().SetFiltered(false);
    return SetCompanyFilter(QString());
}

bool SortCompanies(const QString& column) {
    Table& t = DM().CompanyTable();
    if (column.isEmpty() || !t.FieldByName(column)) return false;
    BusyCursor busy;
    const QString previous = t.Order();
    if (t.SetOrder(Connection::QuoteIdentifier(column)) && t.IsActive()) return true;
    ReportFailure(t, QStringLiteral("Kan ikke sortere firmaene:"));
    t.SetOrder(previous);
    if (!t.IsActive()) t.Open();
    return false;
}

CompanyRowColour RowColourOf(const Dataset& company) {
    CompanyRowColour colour = CompanyRowColour::Normal;
    if (company.AsInteger(QStringLiteral("partner")) == 1) colour = CompanyRowColour::Green;
    if (company.AsInteger(QStringLiteral("equipvendor")) == 1) colour = CompanyRowColour::Blue;
    if (company.AsInteger(QStringLiteral("blacklisted")) == 1) colour = CompanyRowColour::Red;
    return colour;
}

QString CompanyAddressBlock(const Dataset& company) {
    const QString crlf = QStringLiteral("\r\n");
    return company.AsString(QStringLiteral("companyname")) + crlf +
           company.AsString(QStringLiteral("streetaddress")) + crlf +
           company.AsString(QStringLiteral("postalcode")) + QLatin1Char(' ') +
           company.AsString(QStringLiteral("city"));
}

QString CompanyWindowCaption(const Dataset& company) {
    return QStringLiteral("Firmadata [") + company.AsString(QStringLiteral("id")) +
           QLatin1Char(']');
}

bool ShowsCompanyIniButton(const Dataset& company) {
    if (!company.IsActive() || company.IsEmpty() || company.IsNull(QStringLiteral("id")))
        return false;
    return HasAdminRight(QStringLiteral("users")) &&
           company.AsInteger(QStringLiteral("id")) == Ctx().logon().CurrentCompanyId;
}

void CompanyListClosed() {
    Crm().ClearAddressChooserMode();
    Table& t = DM().CompanyTable();
    t.SetFiltered(false);
    if (!t.FilterSql().isEmpty()) SetCompanyFilter(QString());
}

int CurrentCompanyRowId() {
    Table& t = DM().CompanyTable();
    if (!t.IsActive() || t.IsEmpty() || t.State() == DatasetState::Insert) return 0;
    return static_cast<int>(t.AsInteger(QStringLiteral("id")));
}
