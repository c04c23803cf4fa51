#pragma once

#include <QString>
#include <QStringList>

class Connection;

// The condition of a typed search over several columns:
//   col1 like '%text%' OR col2 like '%text%' ...
// The text reaches the SQL only through the connection's LIKE quoting, so a quote or a
// backslash matches itself while "%" and "_" stay wildcards. The columns are compared in
// utf8mb4 with the Danish-Norwegian collation, case ignored: the Latin-1 Swedish collation
// of the tables weighs "\" as "Ø", and refuses a text it cannot hold (an emoji) with a
// collation error, where this finds nothing.
QString ContainsAnyCondition(const Connection& connection, const QStringList& columns,
                             const QString& text);
