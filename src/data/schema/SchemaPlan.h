#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "data/schema/LiveSchema.h"
#include "data/schema/TableDef.h"

namespace schema {

// What it takes to bring one table to its definition.
struct TablePlan {
    QString table;
    bool create = false;       // missing: CREATE TABLE
    QStringList alterClauses;  // for one ALTER TABLE, in order
    QStringList steps;         // one line per clause, for the report
    QList<KeyDef> uniqueKeys;  // unique keys to add once their column holds no duplicates
    QStringList notes;         // differences left as they are

    bool IsEmpty() const { return !create && alterClauses.isEmpty() && uniqueKeys.isEmpty(); }
};

// live is nullptr when the table does not exist.
TablePlan PlanTable(const TableDef& def, const LiveTable* live);

}  // namespace schema
