// The vendor chooser's list.
#include "crm/VendorChooser.h"

#include "crm/CrmModule.h"
#include "crm/ListQuery.h"
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
    return RunListQuery(Crm().CompanyMiniQuery(), CompanyMiniQuerySql(DM().ProductTable().TableName()),
                        QStringLiteral("Kan ikke hente leverandørene:"));
}

int ChosenVendorId(int row) {
    Query& q = Crm().CompanyMiniQuery();
    if (row < 0 || !q.IsActive() || row >= q.RecordCount()) return kNoVendorChosen;
    return q.TextAt(row, QStringLiteral("vendor")).toInt();
}
