// Creating the schema on an empty (or partly filled) database.
#include "data/schema/Ddl.h"
#include "data/schema/LiveSchema.h"
#include "data/schema/Schema.h"
#include "data/schema/SchemaPlan.h"
#include "data/schema/SqlMode.h"
#include "data/schema/Tables.h"
#include "db/Connection.h"

namespace schema {

SchemaReport CreateSchema(Connection& db) {
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
        if (have != live.constEnd()) {
            report.notes << def.name + ": finnes fra før; ikke endret";
            if (!PlanTable(def, &*have).IsEmpty()) {
                report.notes << def.name + ": trenger oppgradering (varlokken-admin upgrade)";
            }
            continue;
        }
        if (!db.Exec(CreateTableSql(def))) {
            report.error = def.name + ": " + db.LastError();
            return report;
        }
        report.steps << def.name + ": tabellen opprettet";
    }
    report.ok = true;
    return report;
}

}  // namespace schema
