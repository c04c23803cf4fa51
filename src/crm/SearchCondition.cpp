// The condition of a typed search.
#include "crm/SearchCondition.h"

#include "db/Connection.h"
#include "platform/TextEncoding.h"

namespace {
// Whether every character has a Latin-1 (Windows-1252) byte, as the server's latin1 has.
bool FitsLatin1(const QString& text) {
    return platform::DecodeWindows1252(platform::EncodeWindows1252(text)) == text;
}
}  // namespace

QString ContainsAnyCondition(const Connection& connection, const QStringList& columns,
                             const QString& text) {
    QString literal = connection.QuoteLike(QLatin1Char('%') + text + QLatin1Char('%'));
    if (!FitsLatin1(text)) literal += QStringLiteral(" COLLATE utf8mb4_general_ci");
    QStringList terms;
    for (const QString& column : columns) terms << column + QStringLiteral(" like ") + literal;
    return terms.join(QStringLiteral(" OR "));
}
