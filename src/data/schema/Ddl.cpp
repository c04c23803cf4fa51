#include "data/schema/Ddl.h"

#include <QStringList>

#include "db/Connection.h"

namespace schema {
namespace {

// TEXT and BLOB columns take no DEFAULT clause on older servers; NULL is implied.
bool IsLob(const QString& type) { return type.endsWith("text") || type.endsWith("blob"); }

QString QuoteIdentifier(const QString& name) { return Connection::QuoteIdentifier(name); }

}  // namespace

QString ColumnSql(const ColumnDef& column) {
    QString sql = QuoteIdentifier(column.name) + ' ' + column.type;
    if (column.notNull) sql += " NOT NULL";
    if (!column.defaultSql.isEmpty() && !(IsLob(column.type) && column.defaultSql == "NULL")) {
        sql += " DEFAULT " + column.defaultSql;
    }
    if (!column.extra.isEmpty()) sql += ' ' + column.extra;
    return sql;
}

QString KeySql(const KeyDef& key) {
    QStringList columns;
    for (const QString& c : key.columns) columns << QuoteIdentifier(c);
    const QString list = " (" + columns.join(", ") + ')';
    if (key.name == "PRIMARY") return "PRIMARY KEY" + list;
    return QString(key.unique ? "UNIQUE KEY " : "KEY ") + QuoteIdentifier(key.name) + list;
}

QString CreateTableSql(const TableDef& table) {
    QStringList parts;
    for (const ColumnDef& c : table.columns) parts << "  " + ColumnSql(c);
    for (const KeyDef& k : table.keys) parts << "  " + KeySql(k);
    return "CREATE TABLE IF NOT EXISTS " + QuoteIdentifier(table.name) + " (\n" +
           parts.join(",\n") + "\n) ENGINE=InnoDB DEFAULT CHARSET=" + table.charset.name +
           " COLLATE=" + table.charset.collation;
}

}  // namespace schema
