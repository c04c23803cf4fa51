#pragma once

#include <QString>

// "SELECT columns FROM table", then " LEFT JOIN join ON condition" when a join table is
// given, " WHERE filter" (a filter ending in "=", such as "projectid=", is dropped),
// " AND extra" or " WHERE extra" for the extra filter, and " ORDER BY order".
QString ComposeSelect(const QString& columns, const QString& table, const QString& joinTable,
                      const QString& joinCondition, const QString& filter,
                      const QString& extraFilter, const QString& order);
