#pragma once

#include <QString>
#include <QStringList>

class Connection;

// The condition of a typed search over several columns:
//   col1 like '%text%' OR col2 like '%text%' ...
// The text reaches the SQL only through the connection's LIKE quoting, so a quote or a
// backslash matches itself while "%" and "_" stay wildcards. A text the tables' Latin-1
// columns cannot hold (an emoji) is compared in utf8mb4, so it finds nothing instead of
// failing with a collation error.
QString ContainsAnyCondition(const Connection& connection, const QStringList& columns,
                             const QString& text);
