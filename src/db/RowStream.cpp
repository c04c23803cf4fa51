#include "db/RowStream.h"

#include <mysql.h>

#include "db/Connection.h"

namespace {

RowStream::Kind KindOf(const MYSQL_FIELD& field) {
    switch (field.type) {
        case MYSQL_TYPE_TINY:
        case MYSQL_TYPE_SHORT:
        case MYSQL_TYPE_LONG:
        case MYSQL_TYPE_INT24:
        case MYSQL_TYPE_LONGLONG:
        case MYSQL_TYPE_DECIMAL:
        case MYSQL_TYPE_NEWDECIMAL:
        case MYSQL_TYPE_FLOAT:
        case MYSQL_TYPE_DOUBLE:
        case MYSQL_TYPE_YEAR:
            return RowStream::Kind::Number;
        case MYSQL_TYPE_BIT:
        case MYSQL_TYPE_GEOMETRY:
            return RowStream::Kind::Binary;
        case MYSQL_TYPE_STRING:
        case MYSQL_TYPE_VAR_STRING:
        case MYSQL_TYPE_VARCHAR:
        case MYSQL_TYPE_TINY_BLOB:
        case MYSQL_TYPE_MEDIUM_BLOB:
        case MYSQL_TYPE_LONG_BLOB:
        case MYSQL_TYPE_BLOB:
            // Character set 63 is "binary": BLOB, BINARY and VARBINARY columns.
            return field.charsetnr == 63 ? RowStream::Kind::Binary : RowStream::Kind::Text;
        default:
            return RowStream::Kind::Text;  // dates, times, enums, sets, JSON
    }
}

}  // namespace

RowStream::RowStream(Connection& connection) : connection_(connection) {}

RowStream::~RowStream() { Close(); }

bool RowStream::Open(const QString& sql) {
    Close();
    error_.clear();
    MYSQL* m = connection_.Acquire();
    if (!m) {
        error_ = connection_.LastError();
        return false;
    }
    const QByteArray text = sql.toUtf8();
    if (mysql_real_query(m, text.constData(), static_cast<unsigned long>(text.size())) != 0) {
        connection_.NoteFailure();
        error_ = connection_.LastError();
        return false;
    }
    MYSQL_RES* res = mysql_use_result(m);
    if (!res) {
        if (mysql_field_count(m) != 0) {
            connection_.NoteFailure();
            error_ = connection_.LastError();
        } else {
            error_ = QStringLiteral("Setningen ga ingen rader: ") + sql;
        }
        return false;
    }
    handle_ = m;
    result_ = res;
    const unsigned n = mysql_num_fields(res);
    MYSQL_FIELD* fields = mysql_fetch_fields(res);
    for (unsigned i = 0; i < n; ++i) {
        columns_ << QString::fromUtf8(fields[i].name, fields[i].name_length);
        kinds_.push_back(KindOf(fields[i]));
    }
    // Anyone else who needs the connection drops the rest of these rows first.
    connection_.SetPendingRead([this] { Release(false); });
    return true;
}

bool RowStream::Next() {
    if (!result_) return false;
    row_ = mysql_fetch_row(result_);
    if (row_) {
        lengths_ = mysql_fetch_lengths(result_);
        return true;
    }
    if (mysql_errno(handle_)) {
        connection_.NoteFailure();
        error_ = connection_.LastError();
    }
    Release(true);
    return false;
}

void RowStream::Close() { Release(true); }

// Frees the result and reads away any further results of the statement.
void RowStream::Release(bool keepError) {
    if (!result_) return;
    MYSQL* m = handle_;
    mysql_free_result(result_);
    result_ = nullptr;
    handle_ = nullptr;
    row_ = nullptr;
    lengths_ = nullptr;
    connection_.ClearPendingRead();
    while (mysql_more_results(m) && mysql_next_result(m) == 0) {
        if (MYSQL_RES* extra = mysql_store_result(m)) mysql_free_result(extra);
    }
    if (!keepError && error_.isEmpty()) error_ = QStringLiteral("Lesingen ble avbrutt");
}

bool RowStream::IsNull(int column) const { return !row_ || !row_[column]; }

const char* RowStream::Data(int column) const { return row_ ? row_[column] : nullptr; }

unsigned long RowStream::Size(int column) const { return lengths_ ? lengths_[column] : 0; }
