// Tables, rows and views of the backup scripts.
#include "data/tools/DumpWriter.h"

#include <QIODevice>
#include <QRegularExpression>

#include "db/Connection.h"
#include "db/RowStream.h"

namespace sqltools {

namespace {

// What the script does first: its own session, the previous values kept in variables.
const char* kScriptSession =
    "SET NAMES utf8mb4;\n"
    "SET @varlokken_sql_mode = @@SESSION.sql_mode, @varlokken_time_zone = @@SESSION.time_zone,"
    " @varlokken_foreign_key_checks = @@SESSION.foreign_key_checks,"
    " @varlokken_unique_checks = @@SESSION.unique_checks;\n"
    "SET SESSION sql_mode = 'NO_AUTO_VALUE_ON_ZERO,STRICT_TRANS_TABLES,NO_ENGINE_SUBSTITUTION',"
    " SESSION time_zone = '+00:00', SESSION foreign_key_checks = 0, SESSION unique_checks = 0;\n";

const char* kScriptEnd =
    "SET SESSION sql_mode = @varlokken_sql_mode, SESSION time_zone = @varlokken_time_zone,"
    " SESSION foreign_key_checks = @varlokken_foreign_key_checks,"
    " SESSION unique_checks = @varlokken_unique_checks;\n";

QString WithoutFlag(const QString& sqlMode, const QString& flag) {
    QStringList kept;
    for (const QString& f : sqlMode.split(QLatin1Char(','), Qt::SkipEmptyParts))
        if (f.trimmed().compare(flag, Qt::CaseInsensitive) != 0) kept << f.trimmed();
    return kept.join(QLatin1Char(','));
}

}  // namespace

DumpWriter::DumpWriter(Connection& db, QIODevice& out) : db_(db), out_(out) {}

DumpWriter::~DumpWriter() {
    if (sessionChanged_) End();
}

QString DumpWriter::QuoteName(const QString& name) {
    QString n = name;
    n.replace(QLatin1Char('`'), QLatin1String("``"));
    return QLatin1Char('`') + n + QLatin1Char('`');
}

bool DumpWriter::Put(const QByteArray& bytes) {
    if (out_.write(bytes) == bytes.size()) return true;
    return Fail(QStringLiteral("kan ikke skrive filen: ") + out_.errorString());
}

bool DumpWriter::Fail(const QString& error) {
    if (error_.isEmpty()) error_ = error;
    return false;
}

bool DumpWriter::Begin(const QString& comment) {
    // TIMESTAMP values are read in UTC, as the script writes them back; the values are
    // escaped with backslashes, as the script's SQL mode reads them.
    const QueryResult session =
        db_.Query(QStringLiteral("SELECT @@SESSION.sql_mode, @@SESSION.time_zone"));
    if (!session.ok()) return Fail(session.Error());
    savedSqlMode_ = session.Text(0, 0);
    savedTimeZone_ = session.Text(0, 1);
    const QString mode = WithoutFlag(savedSqlMode_, QStringLiteral("NO_BACKSLASH_ESCAPES"));
    sessionChanged_ = true;
    if (!db_.Exec(QStringLiteral("SET SESSION time_zone = '+00:00', SESSION sql_mode = ") +
                  db_.Quote(mode)))
        return Fail(db_.LastError());
    if (!comment.isEmpty()) {
        QString header;
        for (const QString& line : comment.split(QLatin1Char('\n')))
            header += QStringLiteral("-- ") + line + QLatin1Char('\n');
        if (!Put(header + QLatin1Char('\n'))) return false;
    }
    return Put(QByteArray(kScriptSession));
}

bool DumpWriter::End() {
    bool ok = error_.isEmpty() && Put(QByteArray("\n") + kScriptEnd);
    if (sessionChanged_) {
        sessionChanged_ = false;
        if (!db_.Exec(QStringLiteral("SET SESSION time_zone = ") + db_.Quote(savedTimeZone_) +
                      QStringLiteral(", SESSION sql_mode = ") + db_.Quote(savedSqlMode_)))
            ok = Fail(db_.LastError());
    }
    return ok;
}

bool DumpWriter::WriteDatabase(const QString& schema) {
    const QueryResult r = db_.Query(QStringLiteral("SHOW CREATE DATABASE ") + QuoteName(schema));
    if (!r.ok()) return Fail(r.Error());
    QString create = r.Text(0, 1);
    static const QRegularExpression head(QStringLiteral("^CREATE DATABASE\\s+(IF NOT EXISTS\\s+)?"),
                                         QRegularExpression::CaseInsensitiveOption);
    create.replace(head, QStringLiteral("CREATE DATABASE IF NOT EXISTS "));
    return Put(QLatin1Char('\n') + create + QStringLiteral(";\nUSE ") + QuoteName(schema) +
               QStringLiteral(";\n"));
}

bool DumpWriter::WriteTable(const QString& table) {
    const QueryResult r = db_.Query(QStringLiteral("SHOW CREATE TABLE ") + QuoteName(table));
    if (!r.ok())
        return Fail(QStringLiteral("tabellen ") + table + QStringLiteral(": ") + r.Error());
    const QString create = r.Text(0, 1);
    if (!Put(QStringLiteral("\n-- ") + table + QStringLiteral("\nDROP TABLE IF EXISTS ") +
             QuoteName(table) + QStringLiteral(";\n") + create + QStringLiteral(";\n")))
        return false;
    if (!WriteRows(table)) return false;
    ++tables_;
    return true;
}

QStringList DumpWriter::InsertableColumns(const QString& table) {
    // Generated columns are computed by the server again and cannot be given.
    const QueryResult r = db_.Query(
        QStringLiteral(
            "SELECT COLUMN_NAME FROM information_schema.COLUMNS WHERE TABLE_SCHEMA = DATABASE()"
            " AND TABLE_NAME = ") +
        db_.Quote(table) +
        QStringLiteral(" AND EXTRA NOT LIKE '%GENERATED%' ORDER BY ORDINAL_POSITION"));
    QStringList columns;
    if (!r.ok()) {
        Fail(r.Error());
        return columns;
    }
    for (int i = 0; i < r.RowCount(); ++i) columns << r.Text(i, 0);
    if (columns.isEmpty()) Fail(QStringLiteral("fant ingen kolonner i tabellen ") + table);
    return columns;
}

bool DumpWriter::WriteRows(const QString& table) {
    const QStringList columns = InsertableColumns(table);
    if (columns.isEmpty()) return false;
    QStringList quoted;
    for (const QString& c : columns) quoted << QuoteName(c);
    const QString list = quoted.join(QLatin1Char(','));
    const QByteArray prefix = (QStringLiteral("INSERT INTO ") + QuoteName(table) +
                               QStringLiteral(" (") + list + QStringLiteral(") VALUES\n"))
                                  .toUtf8();

    RowStream rows(db_);
    if (!rows.Open(QStringLiteral("SELECT ") + list + QStringLiteral(" FROM ") + QuoteName(table)))
        return Fail(QStringLiteral("tabellen ") + table + QStringLiteral(": ") + rows.Error());
    QByteArray statement;
    QByteArray row;
    while (rows.Next()) {
        row.clear();
        row += '(';
        for (int i = 0; i < rows.ColumnCount(); ++i) {
            if (i) row += ',';
            if (rows.IsNull(i)) {
                row += "NULL";
                continue;
            }
            const QByteArray value =
                QByteArray::fromRawData(rows.Data(i), static_cast<qsizetype>(rows.Size(i)));
            switch (rows.ColumnKind(i)) {
                case RowStream::Kind::Number:
                    row += value;
                    break;
                case RowStream::Kind::Binary:
                    if (value.isEmpty())
                        row += "''";
                    else
                        row += "0x" + value.toHex();
                    break;
                case RowStream::Kind::Text:
                    row += db_.QuoteUtf8(value);
                    break;
            }
        }
        row += ')';
        if (!statement.isEmpty() && statement.size() + row.size() + 2 > kMaxStatementBytes) {
            statement += ";\n";
            if (!Put(statement)) return false;
            statement.clear();
        }
        if (statement.isEmpty())
            statement = prefix;
        else
            statement += ",\n";
        statement += row;
        ++rows_;
    }
    if (rows.Failed())
        return Fail(QStringLiteral("tabellen ") + table + QStringLiteral(": ") + rows.Error());
    if (!statement.isEmpty()) return Put(statement + ";\n");
    return true;
}

bool DumpWriter::WriteView(const QString& view) {
    const QueryResult r = db_.Query(QStringLiteral("SHOW CREATE VIEW ") + QuoteName(view));
    if (!r.ok())
        return Fail(QStringLiteral("visningen ") + view + QStringLiteral(": ") + r.Error());
    QString create = r.Text(0, 1);
    // The definer may not exist where the script runs; whoever restores it defines it.
    static const QRegularExpression definer(
        QStringLiteral("\\s+DEFINER=(`(?:[^`]|``)*`|\\S+)@(`(?:[^`]|``)*`|\\S+)"));
    create.replace(definer, QString());
    return Put(QStringLiteral("\n-- ") + view + QStringLiteral("\nDROP VIEW IF EXISTS ") +
               QuoteName(view) + QStringLiteral(";\n") + create + QStringLiteral(";\n"));
}

}  // namespace sqltools
