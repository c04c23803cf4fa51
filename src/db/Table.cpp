#include "db/Table.h"

Table::Table(Connection& connection, const QString& tableName)
    : Dataset(connection), tableName_(tableName) {}

void Table::SetTableName(const QString& name) {
    Close();
    tableName_ = name;
}

bool Table::SetOrder(const QString& order) {
    order_ = order;
    return Reopen();
}

bool Table::SetFilterSql(const QString& filter) {
    filterSql_ = filter;
    return Reopen();
}

void Table::SetMasterLink(Dataset* master, const QString& masterColumn, const QString& detailColumn) {
    LinkToMaster(master, masterColumn, detailColumn);
}

QString Table::SelectSql() const {
    QString sql = QStringLiteral("SELECT * FROM ") + Connection::QuoteIdentifier(tableName_);
    QStringList conditions;
    if (!filterSql_.trimmed().isEmpty()) conditions << QLatin1Char('(') + filterSql_ + QLatin1Char(')');
    const QString link = MasterCondition();
    if (!link.isEmpty()) conditions << link;
    if (!conditions.isEmpty()) sql += QStringLiteral(" WHERE ") + conditions.join(QStringLiteral(" AND "));
    if (!order_.trimmed().isEmpty()) sql += QStringLiteral(" ORDER BY ") + order_;
    return sql;
}
