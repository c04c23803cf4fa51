#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

class Connection;

namespace schema {

// A table as the server has it.
struct LiveColumn {
    QString name;
    QString type;  // COLUMN_TYPE, e.g. "float(15,2)"
};

struct LiveTable {
    QString name;
    QString engine;
    QString collation;
    QList<LiveColumn> columns;  // in table order
    QStringList keys;           // index names, "PRIMARY" for the primary key

    const LiveColumn* Column(const QString& column) const;
};

// The tables of the connection's current database, by name. Returns false
// with *error set when there is no current database or a query fails.
bool ReadLiveSchema(Connection& db, QMap<QString, LiveTable>* tables, QString* error);

}  // namespace schema
