#include "data/SelectBuilder.h"

namespace {
bool Given(const QString& part) { return !part.trimmed().isEmpty(); }
}  // namespace

QString ComposeSelect(const QString& columns, const QString& table, const QString& joinTable,
                      const QString& joinCondition, const QString& filter,
                      const QString& extraFilter, const QString& order) {
    QString sql = QStringLiteral("SELECT ") + columns + QStringLiteral(" FROM ") + table;
    if (Given(joinTable)) sql += QStringLiteral(" LEFT JOIN ") + joinTable + QStringLiteral(" ON ") + joinCondition;
    // A condition built from an empty value ("projectid=") selects nothing sensible: drop it.
    const bool withFilter = Given(filter) && !filter.trimmed().endsWith(QLatin1Char('='));
    if (withFilter) sql += QStringLiteral(" WHERE ") + filter;
    if (Given(extraFilter)) sql += (withFilter ? QStringLiteral(" AND ") : QStringLiteral(" WHERE ")) + extraFilter;
    if (Given(order)) sql += QStringLiteral(" ORDER BY ") + order;
    return sql;
}
