#pragma once

#include <QString>
#include <QtGlobal>

#include <functional>

#include "db/QueryResult.h"

struct st_mysql;

// Where and as whom to connect. Server "" or "localhost" with a socket connects over the
// Unix socket; otherwise TCP to server:port (port 0 means 3306).
struct ConnectParams {
    QString server;
    unsigned port = 0;
    QString socket;
    QString database;
    QString user;
    QString password;
};

// The program's one database connection, on MariaDB Connector/C, with character set
// utf8mb4 and strict mode (a value that does not fit is an error, never silently cut).
//
// Failures are reported through the return value and LastError()/LastErrno(). When the
// server goes away, the failing operation reports "Forbindelsen til databasen ble brutt: ..."
// and the next operation connects again with the same parameters; a failed statement is
// never sent again on its own. A transaction cut by a lost connection is reported as lost at
// Commit, and every statement in between is refused, so none runs outside its transaction.
class Connection {
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    bool Connect(const ConnectParams& params);
    void Disconnect();
    bool IsConnected() const { return mysql_ != nullptr; }
    const ConnectParams& Params() const { return params_; }
    // The password a reconnect uses, after the account's password was changed.
    void SetPassword(const QString& password) { params_.password = password; }

    // Statements that return no rows; one text may hold several statements separated by ";".
    // Stops at the first failing statement (the ones before it have run).
    bool Exec(const QString& sql);
    // As Exec, for a statement text already in UTF-8.
    bool ExecUtf8(const QByteArray& sql);
    // Rows of a statement (the first result when the text holds several statements).
    QueryResult Query(const QString& sql);

    // The SQL literal for a text: 'escaped' with the connection's own escaping. A NUL, a
    // quote, a backslash or any UTF-8 sequence reaches the server unchanged.
    QString Quote(const QString& text) const;
    // As Quote, but a null QString gives NULL.
    QString QuoteOrNull(const QString& text) const;
    // A LIKE pattern as an SQL literal: "%" and "_" stay wildcards; every other character,
    // a backslash included, matches itself.
    QString QuoteLike(const QString& pattern) const;
    // As Quote, for UTF-8 text or bytes (kept byte for byte).
    QByteArray QuoteUtf8(const QByteArray& bytes) const;
    // The text escaped for use between single quotes (no quotes added).
    QString Escape(const QString& text) const;
    // A table or column name in backquotes ("schema.table" quotes each part).
    static QString QuoteIdentifier(const QString& name);

    QString LastError() const { return lastError_; }
    unsigned LastErrno() const { return lastErrno_; }
    quint64 InsertId() const { return insertId_; }
    // Rows changed by the last statement (for UPDATE: rows whose values changed).
    quint64 AffectedRows() const { return affectedRows_; }
    // The server's "Rows matched: ..." text of the last UPDATE (empty for other statements).
    QString LastInfo() const { return QString::fromUtf8(lastInfo_); }
    // Rows an UPDATE found (changed or not), -1 when the server did not say.
    long long LastMatchedRows() const;

    bool Begin();
    bool Commit();
    bool Rollback();
    bool InTransaction() const { return inTransaction_; }

    // The server's id of this session (for KILL and diagnostics), 0 when not connected.
    unsigned long ThreadId() const;
    QString ServerVersion() const;

    // For the dataset layer: the native handle after making sure a session exists
    // (reconnecting after a loss), nullptr with LastError() set when there is none.
    st_mysql* Acquire();
    // For the dataset layer: record the native handle's error after a failed call.
    void NoteFailure();
    void NoteError(unsigned errnum, const QString& text);
    void NoteSuccess();
    void SetError(const QString& text, unsigned errnum = 0);
    // For the dataset layer: a result whose rows are still being read. It is read to the
    // end before the connection is used for anything else.
    void SetPendingRead(std::function<void()> finish) { pendingRead_ = std::move(finish); }
    void ClearPendingRead() { pendingRead_ = nullptr; }

private:
    bool Open();
    void CloseHandle();
    bool Run(const QByteArray& sql);
    void AfterStatement();
    void FinishPendingRead();

    st_mysql* mysql_ = nullptr;
    ConnectParams params_;
    bool wanted_ = false;  // Connect succeeded once and no Disconnect since: reconnect on loss
    bool inTransaction_ = false;
    bool transactionLost_ = false;
    QString lastError_;
    unsigned lastErrno_ = 0;
    quint64 insertId_ = 0;
    quint64 affectedRows_ = 0;
    QByteArray lastInfo_;
    std::function<void()> pendingRead_;
};
