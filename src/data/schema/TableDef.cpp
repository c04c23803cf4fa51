#include "data/schema/TableDef.h"

namespace schema {

Charset Latin1() { return {"latin1", "latin1_swedish_ci"}; }
Charset Utf8() { return {"utf8mb3", "utf8mb3_general_ci"}; }
Charset Utf8Unicode() { return {"utf8mb3", "utf8mb3_unicode_ci"}; }

const ColumnDef* TableDef::Column(const QString& column) const {
    for (const ColumnDef& c : columns) {
        if (c.name.compare(column, Qt::CaseInsensitive) == 0) return &c;
    }
    return nullptr;
}

ColumnDef Col(const QString& name, const QString& type, const QString& defaultSql) {
    ColumnDef c;
    c.name = name;
    c.type = type;
    c.defaultSql = defaultSql;
    return c;
}

ColumnDef NotNull(const QString& name, const QString& type, const QString& defaultSql) {
    ColumnDef c = Col(name, type, defaultSql);
    c.notNull = true;
    return c;
}

ColumnDef Amount(const QString& name, bool precision3) {
    ColumnDef c = Col(name, precision3 ? "decimal(15,3)" : "decimal(15,2)");
    c.amount = true;
    return c;
}

QString ZeroDate() { return "'0000-00-00 00:00:00'"; }

}  // namespace schema
