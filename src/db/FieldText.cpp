#include "db/FieldText.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace fieldtext {
namespace {

// Reads up to `digits` decimal digits at p (advancing it); -1 when none.
int Digits(const char*& p, const char* end, int digits) {
    int value = 0;
    int n = 0;
    while (p < end && n < digits && *p >= '0' && *p <= '9') {
        value = value * 10 + (*p - '0');
        ++p;
        ++n;
    }
    return n ? value : -1;
}

const char* SkipBlanks(const char* p, const char* end) {
    while (p < end && (*p == ' ' || *p == '\t')) ++p;
    return p;
}

}  // namespace

qint64 ToInteger(const char* data, std::size_t size) {
    const char* end = data + size;
    const char* p = SkipBlanks(data, end);
    if (p < end && *p == '+') ++p;
    qint64 value = 0;
    auto r = std::from_chars(p, end, value);
    if (r.ec == std::errc() && (r.ptr == end || (*r.ptr != '.' && *r.ptr != 'e' && *r.ptr != 'E')))
        return value;
    // A decimal or floating text: rounded to the nearest whole number.
    const double d = ToFloat(data, size);
    if (!std::isfinite(d)) return 0;
    return static_cast<qint64>(std::llround(d));
}

double ToFloat(const char* data, std::size_t size) {
    const char* end = data + size;
    const char* p = SkipBlanks(data, end);
    if (p < end && *p == '+') ++p;
    double value = 0;
    auto r = std::from_chars(p, end, value);
    if (r.ec != std::errc()) return 0;
    return value;
}

bool IsZeroDate(const char* data, std::size_t size) {
    if (size < 10) return false;
    for (std::size_t i = 0; i < size; ++i) {
        const char c = data[i];
        if (c != '0' && c != '-' && c != ' ' && c != ':' && c != '.') return false;
    }
    return true;
}

QDate ToDate(const char* data, std::size_t size) {
    const char* p = data;
    const char* end = data + size;
    const int y = Digits(p, end, 4);
    if (y < 0 || p >= end || *p++ != '-') return {};
    const int m = Digits(p, end, 2);
    if (m < 0 || p >= end || *p++ != '-') return {};
    const int d = Digits(p, end, 2);
    if (d < 0) return {};
    return QDate(y, m, d);  // invalid for the zero date and for 2024-02-30
}

QTime ToTime(const char* data, std::size_t size) {
    const char* p = data;
    const char* end = data + size;
    const int h = Digits(p, end, 2);
    if (h < 0 || p >= end || *p++ != ':') return {};
    const int m = Digits(p, end, 2);
    if (m < 0) return {};
    int s = 0;
    int ms = 0;
    if (p < end && *p == ':') {
        ++p;
        s = Digits(p, end, 2);
        if (s < 0) return {};
        if (p < end && *p == '.') {
            ++p;
            const char* start = p;
            const int frac = Digits(p, end, 3);
            if (frac > 0) ms = frac * (p - start == 1 ? 100 : p - start == 2 ? 10 : 1);
        }
    }
    return QTime(h, m, s, ms);
}

QDateTime ToDateTime(const char* data, std::size_t size) {
    const QDate date = ToDate(data, size);
    if (!date.isValid()) return {};
    QTime time(0, 0);
    if (size > 11) time = ToTime(data + 11, size - 11);
    if (!time.isValid()) time = QTime(0, 0);
    return QDateTime(date, time);
}

QByteArray FromInteger(qint64 value) { return QByteArray::number(value); }

QByteArray FromFloat(double value, int decimals) {
    if (!std::isfinite(value)) return QByteArray("0");
    if (decimals >= 0) {
        // Rounded as the server rounds the decimal number the double stands for (half away
        // from zero): 54.665, held as 54.66499..., is 54.67, as an UPDATE in SQL gives.
        const double unit = std::pow(10.0, std::min(decimals, 9));
        const double scaled = value * unit;
        if (std::fabs(scaled) < 1e15) value = std::round(std::round(scaled * 1e6) / 1e6) / unit;
        return QByteArray::number(value, 'f', decimals);
    }
    char buffer[64];
    auto r = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QByteArray(buffer, static_cast<qsizetype>(r.ptr - buffer));
}

QByteArray FromDate(const QDate& date) {
    return date.isValid() ? date.toString(QStringLiteral("yyyy-MM-dd")).toLatin1() : QByteArray();
}

QByteArray FromTime(const QTime& time) {
    return time.isValid() ? time.toString(QStringLiteral("HH:mm:ss")).toLatin1() : QByteArray();
}

QByteArray FromDateTime(const QDateTime& value) {
    return value.isValid() ? value.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toLatin1()
                           : QByteArray();
}

}  // namespace fieldtext
