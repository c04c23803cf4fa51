#include "data/schema/SchemaPlan.h"

#include <QRegularExpression>

#include "data/schema/Ddl.h"
#include "db/Connection.h"

namespace schema {
namespace {

bool IsFloatingType(const QString& type) {
    static const QRegularExpression re("^(float|double|real)\\b");
    return re.match(type).hasMatch();
}

// Integer display widths are left out by newer servers ("int" for "int(11)").
QString Comparable(const QString& type) {
    static const QRegularExpression re("^(tinyint|smallint|mediumint|int|bigint)\\(\\d+\\)");
    QString t = type.toLower();
    t.replace(re, "\\1");
    return t;
}

}  // namespace

TablePlan PlanTable(const TableDef& def, const LiveTable* live) {
    TablePlan plan;
    plan.table = def.name;
    if (!live) {
        plan.create = true;
        plan.steps << def.name + ": tabellen opprettet";
        return plan;
    }

    if (live->engine.compare("InnoDB", Qt::CaseInsensitive) != 0) {
        plan.alterClauses << "ENGINE=InnoDB";
        plan.steps << QString("%1: lagringsmotor %2 -> InnoDB")
                          .arg(def.name, live->engine.isEmpty() ? "?" : live->engine);
    }
    if (live->collation.compare(def.charset.collation, Qt::CaseInsensitive) != 0) {
        plan.notes << QString("%1: sortering %2 beholdt (definert %3)")
                          .arg(def.name, live->collation, def.charset.collation);
    }

    QString previous;
    for (const ColumnDef& c : def.columns) {
        const LiveColumn* have = live->Column(c.name);
        const QString where = def.name + '.' + c.name;
        if (!have) {
            const QString position =
                previous.isEmpty() ? " FIRST" : " AFTER " + Connection::QuoteIdentifier(previous);
            plan.alterClauses << "ADD COLUMN " + ColumnSql(c) + position;
            plan.steps << QString("%1: kolonnen lagt til (%2) %3")
                              .arg(where, c.type,
                                   previous.isEmpty() ? "først" : "etter " + previous);
        } else if (c.amount && have->type != c.type && IsFloatingType(have->type)) {
            plan.alterClauses << "MODIFY COLUMN " + ColumnSql(c);
            plan.steps << QString("%1: %2 -> %3").arg(where, have->type, c.type);
        } else if (Comparable(have->type) != Comparable(c.type)) {
            plan.notes
                << QString("%1: typen %2 beholdt (definert %3)").arg(where, have->type, c.type);
        }
        previous = c.name;
    }
    for (const LiveColumn& have : live->columns) {
        if (!def.Column(have.name)) {
            plan.notes
                << QString("%1.%2: kolonnen er ikke definert; beholdt").arg(def.name, have.name);
        }
    }

    for (const KeyDef& k : def.keys) {
        if (live->keys.contains(k.name, Qt::CaseInsensitive)) continue;
        if (!k.unique || k.name == "PRIMARY") {
            plan.alterClauses << "ADD " + KeySql(k);
            plan.steps << QString("%1: nøkkel %2 lagt til").arg(def.name, k.name);
        } else {
            plan.uniqueKeys << k;
        }
    }
    return plan;
}

}  // namespace schema
