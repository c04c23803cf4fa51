#include "db/Table.h"

Table::Table(Connection& connection, const QString& tableName)
    : Dataset(connection), tableName_(tableName) {}

void Table::SetTableName(const QString& name) {
    Close();
    tableName_ = name;
    uniqueKnown_ = false;
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

// Columns with a unique index of their own (not a prefix), NOT NULL.
QStringList Table::UniqueColumns() const {
    if (uniqueKnown_) return uniqueColumns_;
    uniqueKnown_ = true;
    uniqueColumns_.clear();
    const QueryResult r = connection().Query(QStringLiteral("SHOW INDEX FROM ") + Connection::QuoteIdentifier(tableName_));
    if (!r.ok()) return uniqueColumns_;
    const int keyName = r.ColumnIndex(QStringLiteral("Key_name"));
    const int nonUnique = r.ColumnIndex(QStringLiteral("Non_unique"));
    const int column = r.ColumnIndex(QStringLiteral("Column_name"));
    const int subPart = r.ColumnIndex(QStringLiteral("Sub_part"));
    const int null = r.ColumnIndex(QStringLiteral("Null"));
    QHash<QString, int> columnsOfKey;
    for (int i = 0; i < r.RowCount(); ++i) ++columnsOfKey[r.Text(i, keyName)];
    for (int i = 0; i < r.RowCount(); ++i) {
        if (r.Text(i, nonUnique) == QLatin1String("0") && columnsOfKey.value(r.Text(i, keyName)) == 1 &&
            r.IsNull(i, subPart) && r.Text(i, null).isEmpty())
            uniqueColumns_ << r.Text(i, column);
    }
    return uniqueColumns_;
}
