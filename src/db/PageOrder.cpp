#include "db/PageOrder.h"

#include <QStringList>

#include "db/Connection.h"

namespace {

// A name part: `quoted` (doubled backquotes inside) or letters, digits, "_" and "$" that are
// not all digits. Advances `at` past it.
bool ReadName(const QString& text, qsizetype& at, QString& name) {
    name.clear();
    if (at < text.size() && text[at] == QLatin1Char('`')) {
        for (++at; at < text.size(); ++at) {
            if (text[at] == QLatin1Char('`')) {
                if (at + 1 < text.size() && text[at + 1] == QLatin1Char('`')) {
                    name += QLatin1Char('`');
                    ++at;
                    continue;
                }
                ++at;
                return !name.isEmpty();
            }
            name += text[at];
        }
        return false;
    }
    bool digitsOnly = true;
    while (at < text.size()) {
        const QChar c = text[at];
        if (!(c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$'))) break;
        digitsOnly = digitsOnly && c.isDigit();
        name += c;
        ++at;
    }
    return !name.isEmpty() && !digitsOnly;
}

bool ParseTerm(const QString& text, OrderTerm& term) {
    qsizetype at = 0;
    QString first;
    if (!ReadName(text, at, first)) return false;
    term.table.clear();
    term.column = first;
    if (at < text.size() && text[at] == QLatin1Char('.')) {
        ++at;
        if (!ReadName(text, at, term.column)) return false;
        term.table = first;
    }
    const QString rest = text.mid(at).trimmed();
    term.descending = false;
    if (rest.isEmpty() || rest.compare(QLatin1String("ASC"), Qt::CaseInsensitive) == 0) return true;
    term.descending = rest.compare(QLatin1String("DESC"), Qt::CaseInsensitive) == 0;
    return term.descending;
}

QByteArray Literal(const KeyPart& part, const Connection& connection) {
    if (part.numeric) {
        bool plain = !part.value->isEmpty();
        for (char c : *part.value) plain = plain && ((c >= '0' && c <= '9') || c == '-' || c == '.');
        if (plain) return *part.value;
    }
    return connection.QuoteUtf8(*part.value);
}

}  // namespace

bool ParseOrder(const QString& text, std::vector<OrderTerm>& terms) {
    terms.clear();
    if (text.trimmed().isEmpty()) return true;
    // A backquoted name may hold a comma: split only outside backquotes.
    QStringList parts;
    QString current;
    bool quoted = false;
    for (QChar c : text) {
        if (c == QLatin1Char('`')) quoted = !quoted;
        if (c == QLatin1Char(',') && !quoted) {
            parts << current;
            current.clear();
        } else {
            current += c;
        }
    }
    parts << current;
    for (const QString& part : parts) {
        OrderTerm term;
        if (!ParseTerm(part.trimmed(), term)) {
            terms.clear();
            return false;
        }
        terms.push_back(term);
    }
    return true;
}

QByteArray KeysetCondition(const std::vector<KeyPart>& parts, const Connection& connection) {
    QByteArrayList alternatives;
    QByteArray equalBefore;  // the earlier parts equal to their values
    for (const KeyPart& part : parts) {
        QByteArray after;
        if (!part.value) {
            // NULL sorts first: ascending, every non-NULL value comes after it.
            if (!part.descending) after = part.name + " IS NOT NULL";
        } else if (part.descending) {
            after = "(" + part.name + " < " + Literal(part, connection) + " OR " + part.name + " IS NULL)";
        } else {
            after = part.name + " > " + Literal(part, connection);
        }
        if (!after.isEmpty()) alternatives << "(" + equalBefore + after + ")";
        const QByteArray equal =
            part.value ? part.name + " = " + Literal(part, connection) : part.name + " IS NULL";
        equalBefore += equal + " AND ";
    }
    if (alternatives.isEmpty()) return "0";
    return alternatives.size() == 1 ? alternatives[0] : "(" + alternatives.join(" OR ") + ")";
}
