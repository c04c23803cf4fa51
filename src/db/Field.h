#pragma once

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>
#include <QVariant>

#include "db/RowStore.h"

class Dataset;

// What a column holds, from the server's column type.
enum class FieldType { Integer, Float, Decimal, String, Bytes, Date, DateTime, Time, Other };

// A column of the result, a value computed by the calculate-fields event, or a value
// looked up in another dataset by a key column.
enum class FieldKind { Data, Calculated, Lookup };

// One field of a dataset, read and set on the dataset's current record. Values are kept in
// the server's text form and converted on access: NULL reads as "", 0 or an invalid date,
// and so does the zero date "0000-00-00" (IsNull is true for it).
// Field objects live as long as their dataset and keep their identity across reopening.
class Field {
public:
    Field(Dataset& dataset, const QString& name, FieldKind kind, FieldType type);

    const QString& Name() const { return name_; }
    FieldKind Kind() const { return kind_; }
    FieldType Type() const { return type_; }
    bool IsNumeric() const;
    bool IsDateOrTime() const;
    // For data fields: the table and column it comes from, and its declaration.
    const QString& OriginTable() const { return originTable_; }
    const QString& OriginName() const { return originName_; }
    int Decimals() const { return decimals_; }
    unsigned long Length() const { return length_; }
    bool IsNotNull() const { return notNull_; }
    bool IsAutoIncrement() const { return autoIncrement_; }
    // A data field that the current result holds (false after a reopen without it).
    bool IsBound() const { return kind_ != FieldKind::Data || column_ >= 0; }
    // Whether setting it is saved by Post (a column of the dataset's update table).
    bool IsWritable() const { return writable_; }

    bool IsNull() const;
    QString AsString() const;
    qint64 AsInteger() const;
    double AsFloat() const;
    bool AsBool() const { return AsInteger() != 0; }
    QDate AsDate() const;
    QTime AsTime() const;
    QDateTime AsDateTime() const;
    QByteArray AsBytes() const;
    QVariant AsVariant() const;

    // Setters work in the Edit and Insert states (calculated fields: in the calculate
    // event). They return false, with the dataset's LastError set, when the value cannot be
    // set. An empty text sets a number or date column to NULL; so does an invalid date.
    bool SetString(const QString& value);
    bool SetInteger(qint64 value);
    bool SetFloat(double value);
    bool SetBool(bool value) { return SetInteger(value ? 1 : 0); }
    bool SetDate(const QDate& value);
    bool SetTime(const QTime& value);
    bool SetDateTime(const QDateTime& value);
    bool SetBytes(const QByteArray& value);
    bool SetNull();

private:
    friend class Dataset;
    Cell Current() const;
    bool Set(CellValue value);

    Dataset* dataset_;
    QString name_;
    FieldKind kind_;
    FieldType type_;
    int column_ = -1;  // data: position in the result; calculated: slot
    QString originTable_;
    QString originName_;
    int decimals_ = -1;
    unsigned long length_ = 0;
    bool notNull_ = false;
    bool autoIncrement_ = false;
    bool writable_ = false;
    QByteArray quotedName_;  // the column's name as SQL, for Post
    // Lookup fields: key field of this dataset, the other dataset and its columns.
    QString keyField_;
    Dataset* lookupDataset_ = nullptr;
    QString lookupKey_;
    QString lookupResult_;
};
