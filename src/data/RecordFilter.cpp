#include "data/RecordFilter.h"

#include "app/frame/AppContext.h"

namespace {

// The initials as the persons column is compared: without blanks.
QString PersonsEntry(const QString& initials) {
    QString entry;
    for (QChar c : initials)
        if (c != u' ') entry.append(c);
    return entry;
}

}  // namespace

QString RecordFilter(const QString& table, bool withPersons, const LogonValues& logon,
                     const SqlQuote& quote) {
    const QString& t = table;
    QString filter = u'(' + t + QStringLiteral(".user=") + QString::number(logon.CurrentUserId) +
                     QStringLiteral(" OR (") + t + QStringLiteral(".usergroup=") +
                     QString::number(logon.CurrentGroupId) + QStringLiteral(" AND (") + t +
                     QStringLiteral(".rwx_group>3)) OR (") + t + QStringLiteral(".rwx_all>3)");
    const QString initials = PersonsEntry(logon.CurrentInitials.trimmed());
    if (withPersons && quote && !initials.isEmpty() && !initials.contains(u',')) {
        // Compared in utf8mb4, so initials outside a latin1 table's characters
        // match nothing instead of failing the statement.
        filter += QStringLiteral(" OR FIND_IN_SET(") + quote(initials) +
                  QStringLiteral(", REPLACE(CONVERT(") + t +
                  QStringLiteral(".persons USING utf8mb4), ' ', ''))>0");
    }
    filter += u')';
    return filter;
}

QString RecordFilter(const QString& table, bool withPersons, const SqlQuote& quote) {
    return RecordFilter(table, withPersons, Ctx().logon(), quote);
}

QString RecordFilter(const QString& table, bool withPersons, const LogonValues& logon,
                     const Connection& connection) {
    return RecordFilter(table, withPersons, logon,
                        [&connection](const QString& text) { return connection.Quote(text); });
}

QString RecordFilter(const QString& table, bool withPersons, const Connection& connection) {
    return RecordFilter(table, withPersons, Ctx().logon(), connection);
}
