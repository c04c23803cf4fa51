#include "ui/ServerFinder.h"

#include <algorithm>
#include <vector>

#include "db/Connection.h"
#include "db/PageOrder.h"
#include "db/QueryResult.h"
#include "db/Table.h"

namespace serverfinder {

namespace {

// The server's "Illegal mix of collations": the text holds a character the column's
// character set has not (an emoji in a latin1 table), so no row can start with it.
constexpr unsigned kCollationMix = 1267;
// How far from where the server puts it the row is looked for, and how many rows after it
// are tried when it does not start with the text here.
constexpr int kVerifyRows = 64;

struct Plan {
    std::vector<OrderTerm> terms;
    bool descending = false;  // the searched column's direction
    QString orderBy;          // the order the pages are read in, with its tie-break
};

bool MakePlan(const Table& table, const QString& column, Plan& plan) {
    if (!table.IsActive() || column.isEmpty() || !ParseOrder(table.Order(), plan.terms) ||
        plan.terms.empty())
        return false;
    const OrderTerm& first = plan.terms.front();
    if (first.column.compare(column, Qt::CaseInsensitive) != 0) return false;
    if (!first.table.isEmpty() && first.table.compare(table.TableName(), Qt::CaseInsensitive) != 0)
        return false;
    Field* field = table.FieldByName(column);
    Field* id = table.FieldByName(QStringLiteral("id"));
    // Texts only: the rows starting with "12" of a number column do not stand together.
    if (!field || field->Kind() != FieldKind::Data || field->Type() != FieldType::String || !id ||
        id->Kind() != FieldKind::Data)
        return false;
    plan.descending = first.descending;
    plan.orderBy = table.PageOrderBy();
    return !plan.orderBy.isEmpty();
}

// The LIKE pattern of the rows starting with the text: "\", "%" and "_" escaped to match
// themselves.
QString PrefixPattern(const Connection& connection, const QString& text) {
    QString p = text;
    p.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    p.replace(QLatin1Char('%'), QLatin1String("\\%"));
    p.replace(QLatin1Char('_'), QLatin1String("\\_"));
    return connection.Quote(p + QLatin1Char('%'));
}

bool Starts(const Table& table, int row, const QString& column, const QString& text) {
    return table.TextAt(row, column).startsWith(text, Qt::CaseInsensitive);
}

// Reads rows until `row` is held or none are left.
void ReadUpTo(Table& table, int row) {
    while (row >= table.FetchedCount() && !table.AllFetched() &&
           table.FetchMore(row + 1 - table.FetchedCount())) {
    }
}

}  // namespace

bool Serves(const Table& table, const QString& column) {
    Plan plan;
    return MakePlan(table, column, plan);
}

QString PositionSql(const Table& table, const QString& column, const QString& text) {
    Plan plan;
    if (text.isEmpty() || !MakePlan(table, column, plan)) return QString();
    const Connection& connection = table.connection();
    const QString name = Connection::QuoteIdentifier(column);
    const QString pattern = PrefixPattern(connection, text);
    const QString like = name + QStringLiteral(" LIKE ") + pattern;
    // The column's own collation finds the rows by its index; some take characters for
    // letters (latin1_swedish_ci takes a backslash for Ä), which the Danish-Norwegian comparison
    // leaves out again.
    const QString letters =
        name + QStringLiteral(" LIKE ") + pattern + QStringLiteral(" COLLATE utf8mb4_danish_ci");
    const QString bound = connection.Quote(text);
    // The rows before the block of rows starting with the text: ascending those below the
    // text (NULL first), descending those above it that do not start with it (NULL last).
    // Both are a range of the column's index.
    const QString before = plan.descending
                               ? QStringLiteral("(") + name + QStringLiteral(" >= ") + bound +
                                     QStringLiteral(" AND NOT (") + like + QStringLiteral("))")
                               : QStringLiteral("(") + name + QStringLiteral(" < ") + bound +
                                     QStringLiteral(" OR ") + name + QStringLiteral(" IS NULL)");
    return QStringLiteral("SELECT m.`id`, (SELECT COUNT(*)") + table.FromWhere(before) +
           QStringLiteral(") FROM (SELECT `id`") +
           table.FromWhere(like + QStringLiteral(" AND ") + letters) +
           QStringLiteral(" ORDER BY ") + plan.orderBy + QStringLiteral(" LIMIT 1) AS m");
}

int FindPrefix(Table& table, const QString& column, const QString& text) {
    const QString sql = PositionSql(table, column, text);
    if (sql.isEmpty()) return kCannotTell;
    Connection& connection = table.connection();
    const QueryResult r = connection.Query(sql);
    if (!r.ok()) return connection.LastErrno() == kCollationMix ? kNoMatch : kCannotTell;
    if (r.IsEmpty()) return kNoMatch;
    const QString id = r.Text(0, 0);
    bool ok = false;
    const int before = r.Text(0, 1).toInt(&ok);
    if (!ok || before < 0) return kCannotTell;

    // The first matching row stands right after the rows before its block, unless the
    // collation puts a few rows between the text and its block (trailing blanks, letters
    // that sort as two): then it is a little way off.
    const QString idField = QStringLiteral("id");
    ReadUpTo(table, before + kVerifyRows);
    int row = -1;
    for (int r2 = std::max(before - kVerifyRows, 0);
         r2 < before + kVerifyRows && r2 < table.FetchedCount() && row < 0; ++r2)
        if (table.TextAt(r2, idField) == id) row = r2;
    if (row < 0) return kCannotTell;
    // The server's row may start with the text only as its collation compares (accents
    // ignored); the first row that starts with it here is then among the next few.
    for (int r2 = row; r2 < row + kVerifyRows; ++r2) {
        ReadUpTo(table, r2);
        if (r2 >= table.FetchedCount()) break;
        if (Starts(table, r2, column, text)) return r2;
    }
    return kCannotTell;
}

}  // namespace serverfinder
