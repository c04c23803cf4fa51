// Bringing an older database to the table definitions in place.
#include "data/schema/Ddl.h"
#include "data/schema/LiveSchema.h"
#include "data/schema/Schema.h"
#include "data/schema/SchemaPlan.h"
#include "data/schema/SqlMode.h"
#include "data/schema/Tables.h"
#include "db/Connection.h"

namespace schema {
namespace {

// A unique key goes on only when no value occurs twice; otherwise the rows
// stay as they are and a note says why the key is missing.
bool AddUniqueKey(Connection& db, const TableDef& def, const KeyDef& key, SchemaReport* report) {
    QStringList columns;
    for (const QString& c : key.columns) columns << Connection::QuoteIdentifier(c);
    const QString list = columns.join(", ");
    const QueryResult dup =
        db.Query("SELECT " + list + " FROM " + Connection::QuoteIdentifier(def.name) +
                 " GROUP BY " + list + " HAVING COUNT(*) > 1 LIMIT 1");
    if (!dup.ok()) {
        report->error = def.name + ": " + dup.Error();
        return false;
    }
    if (!dup.IsEmpty()) {
        report->notes << QString("%1: nøkkel %2 ikke lagt til: %3 \"%4\" finnes flere ganger")
                             .arg(def.name, key.name, key.columns.join(", "), dup.Text(0, 0));
        return true;
    }
    if (!db.Exec("ALTER TABLE " + Connection::QuoteIdentifier(def.name) + " ADD " + KeySql(key))) {
        report->error = def.name + ": " + db.LastError();
        return false;
    }
    report->steps << QString("%1: nøkkel %2 lagt til").arg(def.name, key.name);
    return true;
}

}  // namespace

SchemaReport UpgradeSchema(Connection& db) {
    SchemaReport report;
    QMap<QString, LiveTable> live;
    if (!ReadLiveSchema(db, &live, &report.error)) return report;
    ZeroDateMode mode(db);
    if (!mode.ok()) {
        report.error = db.LastError();
        return report;
    }
    for (const TableDef& def : AllTables()) {
        auto have = live.constFind(def.name);
        const TablePlan plan = PlanTable(def, have == live.constEnd() ? nullptr : &*have);
        report.notes += plan.notes;
        if (plan.create) {
            if (!db.Exec(CreateTableSql(def))) {
                report.error = def.name + ": " + db.LastError();
                return report;
            }
            report.steps += plan.steps;
            continue;
        }
        if (!plan.alterClauses.isEmpty()) {
            const QString sql = "ALTER TABLE " + Connection::QuoteIdentifier(def.name) + "\n  " +
                                plan.alterClauses.join(",\n  ");
            if (!db.Exec(sql)) {
                report.error = def.name + ": " + db.LastError();
                return report;
            }
            report.steps += plan.steps;
        }
        for (const KeyDef& key : plan.uniqueKeys) {
            if (!AddUniqueKey(db, def, key, &report)) return report;
        }
    }
    report.ok = true;
    return report;
}

}  // namespace schema
