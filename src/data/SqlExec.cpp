#include "data/SqlExec.h"

#include <QRegularExpression>

namespace {

// The end of the quoted literal that starts at `open` (one past its closing quote), or the
// end of the text when it is not closed. A doubled quote and a backslash escape stay inside.
qsizetype LiteralEnd(const QString& sql, qsizetype open) {
    const QChar quote = sql[open];
    qsizetype i = open + 1;
    while (i < sql.size()) {
        const QChar c = sql[i];
        if (c == QLatin1Char('\\')) {
            i += 2;
            continue;
        }
        if (c == quote) {
            if (i + 1 < sql.size() && sql[i + 1] == quote) {
                i += 2;
                continue;
            }
            return i + 1;
        }
        ++i;
    }
    return sql.size();
}

bool IsQuote(QChar c) { return c == QLatin1Char('\'') || c == QLatin1Char('"'); }

}  // namespace

QString RedactPasswords(const QString& sql) {
    // Each match ends where the literal may begin (after blanks).
    static const QRegularExpression keyword(
        QStringLiteral(R"((PASSWORD\s*\(\s*|IDENTIFIED\s+BY\s+(PASSWORD\s+)?))"),
        QRegularExpression::CaseInsensitiveOption);
    QString out;
    qsizetype from = 0;
    qsizetype copied = 0;
    while (from < sql.size()) {
        const QRegularExpressionMatch m = keyword.match(sql, from);
        if (!m.hasMatch()) break;
        const qsizetype start = m.capturedEnd();
        if (start >= sql.size() || !IsQuote(sql[start])) {
            from = m.capturedEnd() > m.capturedStart() ? m.capturedEnd() : from + 1;
            continue;
        }
        const qsizetype end = LiteralEnd(sql, start);
        out += sql.mid(copied, start - copied) + QStringLiteral("'***'");
        copied = end;
        from = end;
    }
    out += sql.mid(copied);
    return out;
}
