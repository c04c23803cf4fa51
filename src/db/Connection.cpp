#include "db/Connection.h"

#include <QStringList>

#include <errmsg.h>
#include <mysql.h>
#include <mysqld_error.h>

namespace {

// Errors after which the session is gone and must be opened again.
bool IsConnectionLost(unsigned errnum) {
    switch (errnum) {
        case CR_SERVER_GONE_ERROR:
        case CR_SERVER_LOST:
        case CR_SERVER_LOST_EXTENDED:
        case ER_CONNECTION_KILLED:
        case ER_SERVER_SHUTDOWN:
        case 4031:  // ER_CLIENT_INTERACTION_TIMEOUT (newer servers)
            return true;
        default:
            return false;
    }
}

const char* kLostPrefix = "Forbindelsen til databasen ble brutt: ";

// The escaping of mysql_real_escape_string for utf8mb4, for texts quoted while no session
// is open (the result is the same for every ASCII-compatible character set).
QByteArray EscapeOffline(const QByteArray& in) {
    QByteArray out;
    out.reserve(in.size() + 8);
    for (char c : in) {
        switch (c) {
            case '\0': out += "\\0"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\\': out += "\\\\"; break;
            case '\'': out += "\\'"; break;
            case '"': out += "\\\""; break;
            case '\032': out += "\\Z"; break;
            default: out += c;
        }
    }
    return out;
}

}  // namespace

Connection::Connection() = default;

Connection::~Connection() {
    FinishPendingRead();
    CloseHandle();
}

void Connection::FinishPendingRead() {
    if (!pendingRead_) return;
    auto finish = std::move(pendingRead_);
    pendingRead_ = nullptr;
    finish();
}

bool Connection::Connect(const ConnectParams& params) {
    FinishPendingRead();
    CloseHandle();
    params_ = params;
    inTransaction_ = false;
    transactionLost_ = false;
    wanted_ = Open();
    return wanted_;
}

void Connection::Disconnect() {
    FinishPendingRead();
    CloseHandle();
    wanted_ = false;
    inTransaction_ = false;
    transactionLost_ = false;
}

bool Connection::Open() {
    MYSQL* m = mysql_init(nullptr);
    if (!m) {
        SetError(QStringLiteral("Kan ikke koble til databasen: tom for minne"));
        return false;
    }
    unsigned timeout = 10;
    mysql_optionsv(m, MYSQL_OPT_CONNECT_TIMEOUT, &timeout);
    mysql_optionsv(m, MYSQL_SET_CHARSET_NAME, "utf8mb4");
    const bool local = params_.server.isEmpty() || params_.server == QLatin1String("localhost");
    const bool socket = local && !params_.socket.isEmpty();
    unsigned protocol = socket ? MYSQL_PROTOCOL_SOCKET : MYSQL_PROTOCOL_TCP;
    if (socket || !local) mysql_optionsv(m, MYSQL_OPT_PROTOCOL, &protocol);

    const QByteArray host = socket ? QByteArray("localhost")
                            : local ? QByteArray("127.0.0.1")
                                    : params_.server.toUtf8();
    const QByteArray user = params_.user.toUtf8();
    const QByteArray password = params_.password.toUtf8();
    const QByteArray database = params_.database.toUtf8();
    const QByteArray socketPath = params_.socket.toUtf8();
    const unsigned port = socket ? 0 : (params_.port ? params_.port : 3306);
    if (!mysql_real_connect(m, host.constData(), user.constData(), password.constData(),
                            database.isEmpty() ? nullptr : database.constData(), port,
                            socket ? socketPath.constData() : nullptr,
                            CLIENT_MULTI_STATEMENTS | CLIENT_MULTI_RESULTS)) {
        SetError(QStringLiteral("Kan ikke koble til databasen: ") + QString::fromUtf8(mysql_error(m)),
                 mysql_errno(m));
        mysql_close(m);
        return false;
    }
    mysql_ = m;
    // A value too long for its column must be refused, not cut: add strict mode to whatever
    // the server's own mode is. Zero dates stay allowed, as old databases and the documented
    // column defaults hold them, also on servers whose own mode forbids them.
    static const char modeQuery[] = "SELECT @@SESSION.sql_mode";
    if (mysql_real_query(m, modeQuery, sizeof modeQuery - 1) != 0) {
        NoteFailure();
        CloseHandle();
        return false;
    }
    QStringList modes;
    if (MYSQL_RES* r = mysql_store_result(m)) {
        if (MYSQL_ROW row = mysql_fetch_row(r); row && row[0])
            modes = QString::fromUtf8(row[0]).split(',', Qt::SkipEmptyParts);
        mysql_free_result(r);
    }
    modes.removeAll(QStringLiteral("NO_ZERO_DATE"));
    modes.removeAll(QStringLiteral("NO_ZERO_IN_DATE"));
    if (!modes.contains(QStringLiteral("STRICT_TRANS_TABLES")))
        modes << QStringLiteral("STRICT_TRANS_TABLES");
    if (!Run("SET SESSION sql_mode = '" + modes.join(',').toLatin1() + "'")) {
        CloseHandle();
        return false;
    }
    NoteSuccess();
    return true;
}

void Connection::CloseHandle() {
    if (mysql_) mysql_close(mysql_);
    mysql_ = nullptr;
}

st_mysql* Connection::Acquire() {
    FinishPendingRead();
    if (transactionLost_) {
        SetError(QStringLiteral("Transaksjonen ble avbrutt fordi forbindelsen til databasen ble "
                                "brutt; ingen av endringene i den er lagret."));
        return nullptr;
    }
    if (mysql_) return mysql_;
    if (!wanted_) {
        SetError(QStringLiteral("Ikke koblet til databasen"));
        return nullptr;
    }
    if (!Open()) return nullptr;
    return mysql_;
}

void Connection::NoteFailure() {
    if (!mysql_) return;
    NoteError(mysql_errno(mysql_), QString::fromUtf8(mysql_error(mysql_)));
}

void Connection::NoteError(unsigned errnum, const QString& text) {
    if (IsConnectionLost(errnum)) {
        SetError(kLostPrefix + text, errnum);
        CloseHandle();
        if (inTransaction_) transactionLost_ = true;
    } else {
        SetError(text, errnum);
    }
}

void Connection::NoteSuccess() {
    lastError_.clear();
    lastErrno_ = 0;
}

void Connection::SetError(const QString& text, unsigned errnum) {
    lastError_ = text;
    lastErrno_ = errnum;
}

void Connection::AfterStatement() {
    insertId_ = mysql_insert_id(mysql_);
    const my_ulonglong affected = mysql_affected_rows(mysql_);
    affectedRows_ = affected == static_cast<my_ulonglong>(-1) ? 0 : affected;
    const char* info = mysql_info(mysql_);
    if (info) lastInfo_ = info;
    else lastInfo_.clear();
}

// Sends a statement text and reads every result, stopping at the first error.
bool Connection::Run(const QByteArray& sql) {
    MYSQL* m = mysql_;
    if (mysql_real_query(m, sql.constData(), static_cast<unsigned long>(sql.size())) != 0) {
        NoteFailure();
        return false;
    }
    for (;;) {
        if (MYSQL_RES* r = mysql_store_result(m)) {
            mysql_free_result(r);
        } else if (mysql_field_count(m) != 0) {
            NoteFailure();
            return false;
        } else {
            AfterStatement();
        }
        const int next = mysql_next_result(m);
        if (next < 0) break;
        if (next > 0) {
            NoteFailure();
            return false;
        }
    }
    NoteSuccess();
    return true;
}

bool Connection::Exec(const QString& sql) {
    if (!Acquire()) return false;
    return Run(sql.toUtf8());
}

bool Connection::ExecUtf8(const QByteArray& sql) {
    if (!Acquire()) return false;
    return Run(sql);
}

QueryResult Connection::Query(const QString& sql) {
    MYSQL* m = Acquire();
    if (!m) return QueryResult::Failed(lastError_);
    const QByteArray text = sql.toUtf8();
    if (mysql_real_query(m, text.constData(), static_cast<unsigned long>(text.size())) != 0) {
        NoteFailure();
        return QueryResult::Failed(lastError_);
    }
    QueryResult result;
    MYSQL_RES* r = mysql_store_result(m);
    if (!r && mysql_field_count(m) != 0) {
        NoteFailure();
        return QueryResult::Failed(lastError_);
    }
    if (r) {
        const unsigned n = mysql_num_fields(r);
        MYSQL_FIELD* fields = mysql_fetch_fields(r);
        QStringList names;
        for (unsigned i = 0; i < n; ++i) names << QString::fromUtf8(fields[i].name, fields[i].name_length);
        result.SetColumns(names);
        while (MYSQL_ROW row = mysql_fetch_row(r)) {
            const unsigned long* lengths = mysql_fetch_lengths(r);
            QueryResult::Row values(n);
            for (unsigned i = 0; i < n; ++i) {
                if (row[i]) values[i] = QString::fromUtf8(row[i], static_cast<qsizetype>(lengths[i]));
            }
            result.AddRow(std::move(values));
        }
        mysql_free_result(r);
    } else {
        AfterStatement();
    }
    // Further results of a multi-statement text are read and dropped.
    bool ok = true;
    for (int next; (next = mysql_next_result(m)) >= 0;) {
        if (next > 0) {
            NoteFailure();
            ok = false;
            break;
        }
        if (MYSQL_RES* extra = mysql_store_result(m)) mysql_free_result(extra);
    }
    if (!ok) return QueryResult::Failed(lastError_);
    NoteSuccess();
    result.SetOk(true);
    return result;
}

QByteArray Connection::QuoteUtf8(const QByteArray& in) const {
    if (!mysql_) return '\'' + EscapeOffline(in) + '\'';
    QByteArray out(in.size() * 2 + 3, Qt::Uninitialized);
    out[0] = '\'';
    const unsigned long n = mysql_real_escape_string(mysql_, out.data() + 1, in.constData(),
                                                     static_cast<unsigned long>(in.size()));
    if (n == static_cast<unsigned long>(-1)) return '\'' + EscapeOffline(in) + '\'';
    out[static_cast<qsizetype>(n) + 1] = '\'';
    out.truncate(static_cast<qsizetype>(n) + 2);
    return out;
}

QString Connection::Escape(const QString& text) const {
    const QByteArray quoted = QuoteUtf8(text.toUtf8());
    return QString::fromUtf8(quoted.constData() + 1, quoted.size() - 2);
}

QString Connection::Quote(const QString& text) const {
    return QLatin1Char('\'') + Escape(text) + QLatin1Char('\'');
}

QString Connection::QuoteOrNull(const QString& text) const {
    return text.isNull() ? QStringLiteral("NULL") : Quote(text);
}

QString Connection::QuoteLike(const QString& pattern) const {
    // Backslash is LIKE's escape character: double it so that it matches itself.
    QString p = pattern;
    p.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    return Quote(p);
}

QString Connection::QuoteIdentifier(const QString& name) {
    const QStringList parts = name.split(QLatin1Char('.'));
    QStringList quoted;
    for (QString part : parts) {
        part.replace(QLatin1Char('`'), QLatin1String("``"));
        quoted << QLatin1Char('`') + part + QLatin1Char('`');
    }
    return quoted.join(QLatin1Char('.'));
}

bool Connection::Begin() {
    if (inTransaction_) {
        SetError(QStringLiteral("En transaksjon er allerede startet"));
        return false;
    }
    if (!Exec(QStringLiteral("START TRANSACTION"))) return false;
    inTransaction_ = true;
    return true;
}

bool Connection::Commit() {
    if (transactionLost_) {
        Acquire();  // sets the message
        const QString message = lastError_;
        inTransaction_ = false;
        transactionLost_ = false;
        SetError(message);
        return false;
    }
    const bool ok = Exec(QStringLiteral("COMMIT"));
    inTransaction_ = false;
    transactionLost_ = false;
    return ok;
}

bool Connection::Rollback() {
    if (transactionLost_) {
        // The server dropped the transaction with the session: nothing of it was kept.
        inTransaction_ = false;
        transactionLost_ = false;
        NoteSuccess();
        return true;
    }
    const bool ok = Exec(QStringLiteral("ROLLBACK"));
    inTransaction_ = false;
    return ok;
}

long long Connection::LastMatchedRows() const {
    // "Rows matched: 1  Changed: 0  Warnings: 0"
    const qsizetype at = lastInfo_.indexOf("matched:");
    if (at < 0) return -1;
    bool ok = false;
    const long long n = lastInfo_.mid(at + 8).trimmed().split(' ').value(0).toLongLong(&ok);
    return ok ? n : -1;
}

unsigned long Connection::ThreadId() const { return mysql_ ? mysql_thread_id(mysql_) : 0; }

QString Connection::ServerVersion() const {
    return mysql_ ? QString::fromUtf8(mysql_get_server_info(mysql_)) : QString();
}
