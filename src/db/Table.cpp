#include "db/Table.h"

Table::Table(Connection& connection, const QString& tableName)
    : Dataset(connection), tableName_(tableName) {}

void Table::SetTableName(const QString& name) {
    Close();
    tableName_ = name;
    ForgetPagingFailure();
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

// FROM table [WHERE filter AND link AND condition]
QString Table::FromWhere(const QString& condition) const {
    QString sql = QStringLiteral(" FROM ") + Connection::QuoteIdentifier(tableName_);
    QStringList conditions;
    if (!filterSql_.trimmed().isEmpty()) conditions << QLatin1Char('(') + filterSql_ + QLatin1Char(')');
    const QString link = MasterCondition();
    if (!link.isEmpty()) conditions << link;
    if (!condition.isEmpty()) conditions << condition;
    if (!conditions.isEmpty()) sql += QStringLiteral(" WHERE ") + conditions.join(QStringLiteral(" AND "));
    return sql;
}

QString Table::SelectSql() const {
    QString sql = QStringLiteral("SELECT *") + FromWhere(QString());
    if (!order_.trimmed().isEmpty()) sql += QStringLiteral(" ORDER BY ") + order_;
    return sql;
}

QString Table::PageSql(const QString& condition, const QString& orderBy, std::size_t limit,
                       std::size_t offset) const {
    QString sql = QStringLiteral("SELECT *") + FromWhere(condition);
    if (!orderBy.isEmpty()) sql += QStringLiteral(" ORDER BY ") + orderBy;
    if (limit != kAllRows) sql += QStringLiteral(" LIMIT ") + QString::number(limit);
    else if (offset) sql += QStringLiteral(" LIMIT 18446744073709551615");
    if (offset) sql += QStringLiteral(" OFFSET ") + QString::number(offset);
    return sql;
}

QString Table::CountSql() const { return QStringLiteral("SELECT COUNT(*)") + FromWhere(QString()); }
