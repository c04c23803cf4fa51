#include "db/Field.h"

#include "db/Dataset.h"
#include "db/FieldText.h"

#include <cmath>

Field::Field(Dataset& dataset, const QString& name, FieldKind kind, FieldType type)
    : dataset_(&dataset), name_(name), kind_(kind), type_(type) {}

bool Field::IsNumeric() const {
    return type_ == FieldType::Integer || type_ == FieldType::Float || type_ == FieldType::Decimal;
}

bool Field::IsDateOrTime() const {
    return type_ == FieldType::Date || type_ == FieldType::DateTime || type_ == FieldType::Time;
}

Cell Field::Current() const {
    Cell c = dataset_->CellOf(*this);
    if (!c.null && (type_ == FieldType::Date || type_ == FieldType::DateTime) &&
        fieldtext::IsZeroDate(c.data, c.size)) {
        c.null = true;  // the zero date reads as no date
    }
    return c;
}

bool Field::IsNull() const { return Current().null; }

QString Field::AsString() const {
    const Cell c = Current();
    if (c.null) return QString();
    return QString::fromUtf8(c.data, static_cast<qsizetype>(c.size));
}

qint64 Field::AsInteger() const {
    const Cell c = Current();
    return c.null ? 0 : fieldtext::ToInteger(c.data, c.size);
}

double Field::AsFloat() const {
    const Cell c = Current();
    return c.null ? 0.0 : fieldtext::ToFloat(c.data, c.size);
}

QDate Field::AsDate() const {
    const Cell c = Current();
    return c.null ? QDate() : fieldtext::ToDate(c.data, c.size);
}

QTime Field::AsTime() const {
    const Cell c = Current();
    if (c.null) return QTime();
    if (type_ == FieldType::DateTime && c.size > 11) return fieldtext::ToTime(c.data + 11, c.size - 11);
    return fieldtext::ToTime(c.data, c.size);
}

QDateTime Field::AsDateTime() const {
    const Cell c = Current();
    if (c.null) return QDateTime();
    if (type_ == FieldType::Time) {
        const QTime t = fieldtext::ToTime(c.data, c.size);
        return t.isValid() ? QDateTime(QDate(1899, 12, 30), t) : QDateTime();
    }
    return fieldtext::ToDateTime(c.data, c.size);
}

QByteArray Field::AsBytes() const {
    const Cell c = Current();
    return c.null ? QByteArray() : QByteArray(c.data, static_cast<qsizetype>(c.size));
}

QVariant Field::AsVariant() const {
    if (IsNull()) return QVariant();
    switch (type_) {
        case FieldType::Integer: return QVariant(AsInteger());
        case FieldType::Float:
        case FieldType::Decimal: return QVariant(AsFloat());
        case FieldType::Date: return QVariant(AsDate());
        case FieldType::DateTime: return QVariant(AsDateTime());
        case FieldType::Time: return QVariant(AsTime());
        case FieldType::Bytes: return QVariant(AsBytes());
        default: return QVariant(AsString());
    }
}

bool Field::Set(CellValue value) { return dataset_->SetCell(*this, std::move(value)); }

bool Field::SetString(const QString& value) {
    if (value.isNull() || (value.isEmpty() && (IsNumeric() || IsDateOrTime()))) return SetNull();
    return Set(value.toUtf8());
}

bool Field::SetInteger(qint64 value) {
    if (type_ == FieldType::Date || type_ == FieldType::DateTime) return SetNull();
    return Set(fieldtext::FromInteger(value));
}

bool Field::SetFloat(double value) {
    if (type_ == FieldType::Integer) return SetInteger(static_cast<qint64>(std::llround(value)));
    return Set(fieldtext::FromFloat(value, type_ == FieldType::Decimal ? decimals_ : -1));
}

bool Field::SetDate(const QDate& value) {
    if (!value.isValid()) return SetNull();
    if (type_ == FieldType::DateTime) return Set(fieldtext::FromDateTime(QDateTime(value, QTime(0, 0))));
    return Set(fieldtext::FromDate(value));
}

bool Field::SetTime(const QTime& value) {
    if (!value.isValid()) return SetNull();
    return Set(fieldtext::FromTime(value));
}

bool Field::SetDateTime(const QDateTime& value) {
    if (!value.isValid()) return SetNull();
    if (type_ == FieldType::Date) return Set(fieldtext::FromDate(value.date()));
    if (type_ == FieldType::Time) return Set(fieldtext::FromTime(value.time()));
    return Set(fieldtext::FromDateTime(value));
}

bool Field::SetBytes(const QByteArray& value) { return Set(value); }

bool Field::SetNull() { return Set(std::nullopt); }
