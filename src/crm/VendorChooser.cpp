// The vendor chooser's list.
#include "crm/VendorChooser.h"

#include "app/frame/AppContext.h"
#include "app/frame/BusyCursor.h"
#include "crm/CrmModule.h"
#include "data/DataModule.h"

QString CompanyMiniQuerySql(const QString& productTable) {
    const QString p = Connection::QuoteIdentifier(productTable);
    return QStringLiteral("select ") + p + QStringLiteral(".vendor,companyname, COUNT(*) from ") +
           p + QStringLiteral("\nLEFT JOIN company ON ") + p +
           QStringLiteral(".vendor=company.id") + QStringLiteral("\ngroup by ") + p +
           QStringLiteral(".vendor, companyname order by companyname, ") + p +
           QStringLiteral(".vendor");
}

bool OpenVendorChooser() {
    BusyCursor busy;
    Query& q = Crm().CompanyMiniQuery();
    const QString sql = CompanyMiniQuerySql(DM().ProductTable().TableName());
    if (q.Sql() != sql)
        q.SetSql(sql);
    else
        q.Close();
    if (q.Open()) return true;
    const QString error = q.LastError().isEmpty() ? q.connection().LastError() : q.LastError();
    q.Close();
    Ctx().log().WriteLog(QStringLiteral("SQL ERROR: ") + sql);
    ShowMessage(QStringLiteral("FEIL"), QStringLiteral("Kan ikke hente leverandørene:\n") + error);
    return false;
}

int ChosenVendorId(int row) {
    Query& q = Crm().CompanyMiniQuery();
    if (row < 0 || !q.IsActive() || row >= q.RecordCount()) return kNoVendorChosen;
    return q.TextAt(row, QStringLiteral("vendor")).toInt();
}
