#include "data/schema/Tables.h"

#include "data/schema/Header.h"

namespace schema {
namespace {

// Catalogue order; creation and upgrade go through the tables in this order.
const char* const kOrder[] = {"users",       "document", "invoice",    "company",    "groups",
                              "po",          "jobs",     "calendar",   "contact",    "accounts",
                              "news",        "orders",   "entries",    "project",    "subproject",
                              "banner",      "offer",    "asset",      "product",    "items",
                              "productview", "package",  "deviations", "certificate"};

QList<TableDef> Build() {
    QList<TableDef> all;
    for (auto group : {FrameTables, SalesTables, CrmTables, ProductTables, ProjectTables,
                       DocumentTables, AccountingTables, AssetTables, NewsTables}) {
        all += group();
    }
    QList<TableDef> ordered;
    for (const char* name : kOrder) {
        for (const TableDef& t : all) {
            if (t.name == QLatin1String(name)) ordered << t;
        }
    }
    return ordered;
}

}  // namespace

const QList<TableDef>& AllTables() {
    static const QList<TableDef> tables = Build();
    return tables;
}

const TableDef* FindTable(const QString& name) {
    for (const TableDef& t : AllTables()) {
        if (t.name == name) return &t;
    }
    return nullptr;
}

TableDef MakeTable(const QString& name, const Charset& charset, const QList<ColumnDef>& own) {
    TableDef t;
    t.name = name;
    t.charset = charset;
    t.columns = CommonHeader(name) + own;
    t.keys << KeyDef{"PRIMARY", {"id"}, true};
    return t;
}

}  // namespace schema
