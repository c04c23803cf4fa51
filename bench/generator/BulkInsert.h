#pragma once

#include <QByteArray>
#include <QString>

class Connection;

// Collects rows for one table and sends them as multi-row INSERT statements
// of a bounded size. Text values are quoted by the connection.
class BulkInsert {
public:
    BulkInsert(Connection& db, const QString& table, const QString& columns);
    ~BulkInsert();
    BulkInsert(const BulkInsert&) = delete;
    BulkInsert& operator=(const BulkInsert&) = delete;

    // Row building: call BeginRow, then one value call per column, in order.
    void BeginRow();
    void Int(qint64 value);
    void Num(double value, int decimals = 2);
    void Text(const QByteArray& utf8);   // quoted by the connection
    void Raw(const char* sqlLiteral);     // NULL, a date literal already safe

    // Sends what is left; false (with the connection's error) when a statement failed.
    bool Finish();
    bool ok() const { return ok_; }
    qint64 Rows() const { return rows_; }

private:
    void Separator();
    void Flush();

    Connection& db_;
    QByteArray head_;
    QByteArray sql_;
    bool firstValue_ = true;
    bool ok_ = true;
    qint64 rows_ = 0;
    int pending_ = 0;
};
