#pragma once

#include <QString>
#include <QStringList>

class Connection;

// Creating and upgrading the schema of the connected database (the schema the
// connection's database names) from the table definitions.
namespace schema {

struct SchemaReport {
    bool ok = false;
    QStringList steps;  // what was done, one line each ("orders: lagringsmotor MyISAM -> InnoDB")
    QStringList notes;  // what was found and left as it is
    QString error;      // why it stopped; empty when ok
};

// Creates every table that is missing. Tables that exist are left as they
// are; a note says when one of them needs UpgradeSchema.
SchemaReport CreateSchema(Connection& db);

// Brings the tables to the definitions in place: creates missing tables,
// converts MyISAM tables to InnoDB, turns float amount columns into DECIMAL,
// adds missing columns at their place and missing keys. Never drops a column
// or a row; every table is changed by one ALTER TABLE, so a failure leaves that
// table as it was. Stops at the first failure.
SchemaReport UpgradeSchema(Connection& db);

}  // namespace schema
