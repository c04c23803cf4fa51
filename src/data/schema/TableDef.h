#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Table definitions as data: the DDL, the schema upgrade and the checks are
// all generated from these.
namespace schema {

// Character set and collation of a table, as the server names them.
struct Charset {
    QString name;       // "latin1", "utf8mb3"
    QString collation;  // "latin1_swedish_ci", "utf8mb3_general_ci", "utf8mb3_unicode_ci"
};

Charset Latin1();
Charset Utf8();
Charset Utf8Unicode();

struct ColumnDef {
    QString name;
    QString type;        // SQL type as the server shows it: "int(11)", "decimal(15,2)"
    QString defaultSql;  // DEFAULT clause value ("NULL", "'0'", "CURRENT_TIMESTAMP"); empty: none
    bool notNull = false;
    QString extra;  // "AUTO_INCREMENT", "ON UPDATE CURRENT_TIMESTAMP"
    // The documented float(15,2)/float(15,3) amounts, kept as DECIMAL here;
    // an older database has them as FLOAT and the upgrade converts them.
    bool amount = false;
};

struct KeyDef {
    QString name;  // "PRIMARY" for the primary key
    QStringList columns;
    bool unique = false;
};

struct TableDef {
    QString name;
    Charset charset;
    QList<ColumnDef> columns;
    QList<KeyDef> keys;

    const ColumnDef* Column(const QString& column) const;
};

// Column builders for the table files: nullable with DEFAULT NULL unless said otherwise.
ColumnDef Col(const QString& name, const QString& type, const QString& defaultSql = "NULL");
ColumnDef NotNull(const QString& name, const QString& type, const QString& defaultSql = {});
// An amount documented as float(15,2) (or float(15,3) when precision3).
ColumnDef Amount(const QString& name, bool precision3 = false);
// The zero date, as the documented timestamp and datetime defaults give it.
QString ZeroDate();

}  // namespace schema
