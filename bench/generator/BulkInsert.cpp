#include "BulkInsert.h"

#include "db/Connection.h"

namespace {
constexpr int kMaxStatementBytes = 1 << 20;  // well below the server's max_allowed_packet
}

BulkInsert::BulkInsert(Connection& db, const QString& table, const QString& columns)
    : db_(db),
      head_(("INSERT INTO " + Connection::QuoteIdentifier(table) + " (" + columns + ") VALUES ")
                .toUtf8()) {
    sql_.reserve(kMaxStatementBytes + 4096);
}

BulkInsert::~BulkInsert() { Finish(); }

void BulkInsert::BeginRow() {
    if (sql_.size() >= kMaxStatementBytes) Flush();
    sql_ += pending_ == 0 ? head_ + "(" : QByteArray("),(");
    ++pending_;
    ++rows_;
    firstValue_ = true;
}

void BulkInsert::Separator() {
    if (!firstValue_) sql_ += ',';
    firstValue_ = false;
}

void BulkInsert::Int(qint64 value) {
    Separator();
    sql_ += QByteArray::number(value);
}

void BulkInsert::Num(double value, int decimals) {
    Separator();
    sql_ += QByteArray::number(value, 'f', decimals);
}

void BulkInsert::Text(const QByteArray& utf8) {
    Separator();
    sql_ += db_.QuoteUtf8(utf8);
}

void BulkInsert::Raw(const char* sqlLiteral) {
    Separator();
    sql_ += sqlLiteral;
}

void BulkInsert::Flush() {
    if (pending_ == 0) return;
    sql_ += ')';
    if (ok_ && !db_.ExecUtf8(sql_)) ok_ = false;
    sql_.clear();
    pending_ = 0;
}

bool BulkInsert::Finish() {
    Flush();
    return ok_;
}
