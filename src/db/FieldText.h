#pragma once

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

#include <cstddef>

// Conversions between the server's text form of a value and typed values. Texts that do
// not parse read as 0 or as an invalid date, never as a crash; the zero date
// "0000-00-00" reads as an invalid date.
namespace fieldtext {

qint64 ToInteger(const char* data, std::size_t size);
double ToFloat(const char* data, std::size_t size);
QDate ToDate(const char* data, std::size_t size);
QTime ToTime(const char* data, std::size_t size);
QDateTime ToDateTime(const char* data, std::size_t size);
// "0000-00-00" and "0000-00-00 00:00:00" (with or without fractions).
bool IsZeroDate(const char* data, std::size_t size);

QByteArray FromInteger(qint64 value);
// Shortest text that reads back as the same double; with decimals >= 0, fixed decimals.
QByteArray FromFloat(double value, int decimals = -1);
QByteArray FromDate(const QDate& date);
QByteArray FromTime(const QTime& time);
QByteArray FromDateTime(const QDateTime& value);

}  // namespace fieldtext
