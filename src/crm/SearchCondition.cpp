// The condition of a typed search.
#include "crm/SearchCondition.h"

#include "db/Connection.h"

QString ContainsAnyCondition(const Connection& connection, const QStringList& columns,
                             const QString& text) {
    const QString literal = connection.QuoteLike(QLatin1Char('%') + text + QLatin1Char('%')) +
                            QStringLiteral(" COLLATE utf8mb4_danish_ci");
    QStringList terms;
    for (const QString& column : columns) terms << column + QStringLiteral(" like ") + literal;
    return terms.join(QStringLiteral(" OR "));
}
