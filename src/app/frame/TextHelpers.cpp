#include "app/frame/TextHelpers.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>

QString DateTimeText(const QDateTime& moment) {
    return moment.toString(QStringLiteral("dd.MM.yyyy hh:mm:ss"));
}

QString SwapDateOrder(const QString& text) {
    if (text.size() >= 3 && text.at(2) == QLatin1Char('.')) {
        return text.mid(6, 4) + QLatin1Char('.') + text.mid(3, 2) + QLatin1Char('.') + text.left(2);
    }
    if (text.size() >= 5 && text.at(4) == QLatin1Char('.')) {
        return text.mid(8, 2) + QLatin1Char('.') + text.mid(5, 2) + QLatin1Char('.') + text.left(4);
    }
    return text;
}

QString TrimBlanks(const QString& text) {
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && text.at(from).unicode() <= ' ') ++from;
    while (to > from && text.at(to - 1).unicode() <= ' ') --to;
    return text.mid(from, to - from);
}

QString TrimRightBlanks(const QString& text) {
    qsizetype to = text.size();
    while (to > 0 && text.at(to - 1).unicode() <= ' ') --to;
    return text.left(to);
}

QString PadRight(const QString& text, int n) {
    if (n <= 0) return QString();
    return text.leftJustified(n, QLatin1Char(' '), true);
}

QString AfterLastSlash(const QString& text) {
    return text.mid(text.lastIndexOf(QLatin1Char('/')) + 1);
}

double ParseNumber(const QString& text) {
    QString s = text;
    s.remove(QLatin1Char(' '));
    s.remove(QChar(0xA0));
    // "250,-" and "250.-": whole currency units.
    if (s.endsWith(QLatin1String(",-")) || s.endsWith(QLatin1String(".-"))) {
        s.chop(1);
        s += QLatin1String("00");
    }
    // With both signs present the last one is the decimal sign.
    const qsizetype lastDot = s.lastIndexOf(QLatin1Char('.'));
    const qsizetype lastComma = s.lastIndexOf(QLatin1Char(','));
    if (lastDot >= 0 && lastComma >= 0) {
        const qsizetype decimal = std::max(lastDot, lastComma);
        QString joined;
        for (qsizetype i = 0; i < s.size(); ++i) {
            const QChar c = s.at(i);
            if (c == QLatin1Char('.') || c == QLatin1Char(',')) {
                if (i == decimal) joined += QLatin1Char('.');
            } else {
                joined += c;
            }
        }
        s = joined;
    }
    s.replace(QLatin1Char(','), QLatin1Char('.'));

    QString kept;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s.at(i);
        if (c.isDigit() && c.unicode() < 0x80) {
            kept += c;
        } else if (c == QLatin1Char('+') || c == QLatin1Char('-') || c == QLatin1Char('.')) {
            kept += c;
        } else if (c == QLatin1Char('E')) {
            // An exponent only between digits: "1E3", "1.5E-3".
            const bool digitBefore =
                !kept.isEmpty() && (kept.back().isDigit() || kept.back() == QLatin1Char('.'));
            const QChar next = i + 1 < s.size() ? s.at(i + 1) : QChar();
            const QChar afterSign = i + 2 < s.size() ? s.at(i + 2) : QChar();
            const bool digitAfter =
                next.isDigit() ||
                ((next == QLatin1Char('+') || next == QLatin1Char('-')) && afterSign.isDigit());
            if (digitBefore && digitAfter) kept += c;
        }
    }
    static const QRegularExpression number(
        QStringLiteral(R"(^[+-]?(\d+\.?\d*|\.\d+)(E[+-]?\d+)?$)"));
    if (!number.match(kept).hasMatch()) return 0.0;
    bool ok = false;
    const double value = kept.toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0.0;
}

double RoundDecimal(double x, int decimals) {
    if (!std::isfinite(x)) return x;
    const double unit = std::pow(10.0, std::clamp(decimals, 0, 9));
    const double scaled = x * unit;
    if (std::fabs(scaled) >= 1e15) return x;  // no fraction left to round
    return std::round(std::round(scaled * 1e6) / 1e6) / unit;
}

QString FormatThousands(int width, int decimals, double x) {
    decimals = std::max(0, decimals);
    QString s = QString::number(RoundDecimal(x, decimals), 'f', decimals);
    const double shown = std::fabs(s.toDouble());  // as rounded: 999.996 shows as 1 000.00
    if (shown == 0.0 && s.startsWith(QLatin1Char('-'))) s.remove(0, 1);  // no "-0.00"
    qsizetype point = s.indexOf(QLatin1Char('.'));
    if (point < 0) point = s.size();
    if (shown >= 1000.0) s.insert(point - 3, QLatin1Char(' '));
    if (shown >= 1000000.0) s.insert(point - 6, QLatin1Char(' '));
    return s.rightJustified(width, QLatin1Char(' '));
}

QString TimeStampText(const QDateTime& moment) {
    return moment.toString(QStringLiteral("yyyyMMddhhmmss"));
}

QString OemToNorwegian(const QString& text) {
    QString out = text;
    for (QChar& c : out) {
        switch (c.unicode()) {
            case 143:
                c = QChar(0x00C5);
                break;  // Å
            case 157:
                c = QChar(0x00D8);
                break;  // Ø
            case 248:
                c = QChar(0x00B0);
                break;  // °
            case 8216:
                c = QChar(0x00E6);
                break;  // æ
            case 8217:
                c = QChar(0x00C6);
                break;  // Æ
            case 8224:
                c = QChar(0x00E5);
                break;  // å
            case 8250:
                c = QChar(0x00F8);
                break;  // ø
            default:
                break;
        }
    }
    return out;
}

QString ScramblePassword(const QString& plain) {
    QString out = QStringLiteral("z");
    for (qsizetype i = 0; i < plain.size(); ++i) {
        out += QChar(char16_t(plain.at(i).unicode() + i + 1));
    }
    return out + QLatin1Char('2');
}

QString UnscramblePassword(const QString& stored) {
    if (stored.size() < 2) return QString();
    const QString body = stored.mid(1, stored.size() - 2);
    QString out;
    for (qsizetype i = 0; i < body.size(); ++i) {
        out += QChar(char16_t(body.at(i).unicode() - i - 1));
    }
    return out;
}
