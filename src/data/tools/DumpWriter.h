#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QtGlobal>

class Connection;
class QIODevice;

namespace sqltools {

// Writes an SQL script that recreates tables, their rows, views and user accounts, read
// through the program's own connection. Rows are read one at a time from the server and
// written as multi-row INSERT statements of bounded size, so a table never sits in memory
// whole. Names are backquoted; text is UTF-8; blob and binary columns are hex literals, so
// every byte comes back as it was; NULL stays NULL; zero dates stay zero dates.
//
// The script sets its own session (character set, an SQL mode that accepts zero dates and
// keeps id 0, UTC for TIMESTAMP columns, no key checks while loading) and puts the previous
// session values back at its end.
class DumpWriter {
  public:
    // The longest INSERT statement written (a single larger row gets one of its own).
    static constexpr qsizetype kMaxStatementBytes = 1000 * 1024;

    DumpWriter(Connection& db, QIODevice& out);
    ~DumpWriter();
    DumpWriter(const DumpWriter&) = delete;
    DumpWriter& operator=(const DumpWriter&) = delete;

    // The script's opening: a header comment when `comment` is given, then the session
    // settings. Also prepares the reading session (UTC, backslash escapes).
    bool Begin(const QString& comment);
    // CREATE DATABASE IF NOT EXISTS (with the database's own character set) and USE.
    bool WriteDatabase(const QString& schema);
    // DROP TABLE IF EXISTS, the server's own CREATE TABLE, then the rows.
    bool WriteTable(const QString& table);
    // DROP VIEW IF EXISTS and the view's definition (without its DEFINER, so the account
    // that restores it becomes the definer).
    bool WriteView(const QString& view);
    // The accounts that hold grants on this schema, as far as the connected account may
    // read them: CREATE USER IF NOT EXISTS with the stored password hash or plugin, then
    // their grants on this schema and its tables (grants on other schemas and global
    // grants are left out). Accounts that cannot be read are named in a comment.
    bool WriteAccounts(const QString& schema);
    // The session settings put back; the reading session restored.
    bool End();

    const QString& Error() const { return error_; }
    int Tables() const { return tables_; }
    qint64 Rows() const { return rows_; }
    // Accounts written and accounts that could not be read, for the log.
    const QStringList& Accounts() const { return accounts_; }
    const QStringList& SkippedAccounts() const { return skippedAccounts_; }

    // A single name in backquotes (a backquote inside is doubled).
    static QString QuoteName(const QString& name);

  private:
    bool Put(const QByteArray& bytes);
    bool Put(const QString& text) { return Put(text.toUtf8()); }
    bool Fail(const QString& error);
    bool WriteRows(const QString& table);
    QStringList InsertableColumns(const QString& table);

    Connection& db_;
    QIODevice& out_;
    QString error_;
    int tables_ = 0;
    qint64 rows_ = 0;
    QStringList accounts_;
    QStringList skippedAccounts_;
    bool sessionChanged_ = false;
    QString savedSqlMode_;
    QString savedTimeZone_;
};

}  // namespace sqltools
