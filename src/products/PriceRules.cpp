#include "products/PriceRules.h"

#include <cmath>

double RealCost(double cost, double discount, double freight, double directCost) {
    // The same order of operations as the bulk statement, so both give the same double.
    return cost - ((cost / 100) * discount) + freight + directCost;
}

double CalculatedPrice(double cost, double realCost, double addSum, double addPercent) {
    if (addSum != 0 || addPercent != 0) return realCost + addSum + ((realCost / 100) * addPercent);
    return cost;
}

double RoundToSixDecimals(double value) {
    if (!std::isfinite(value)) return value;
    const double scaled = std::round(value * 1e6);
    // Beyond 2^53 / 1e6 a double holds no fraction of that size anyway.
    if (!std::isfinite(scaled) || std::fabs(scaled) > 9.0e15) return value;
    return scaled / 1e6;
}

double RoundPrice(double price, bool krone, bool toFour) {
    if (!krone || !std::isfinite(price)) return price;
    const double p = RoundToSixDecimals(price);
    if (toFour) {
        if (std::fmod(p, 4.0) == 0) return p;
        return (std::trunc(std::trunc(p) / 4.0) + 1) * 4.0;
    }
    if (p == std::trunc(p)) return p;
    return std::trunc(p) + 1;
}

double ProductVatRate(long long vatCode) {
    static constexpr double rates[] = {25, 15, 12, 8, 0};
    if (vatCode < 0 || vatCode > 4) return 0;
    return rates[vatCode];
}

double PriceInclVat(double price, long long vatCode) {
    return price + price / 100 * ProductVatRate(vatCode);
}

namespace {

bool LowerAz(QChar c) { return c >= u'a' && c <= u'z'; }
bool UpperAz(QChar c) { return c >= u'A' && c <= u'Z'; }

// Lowers the first `upper` when its neighbours ask for it; true when it did.
bool LowerFirst(QString& text, QChar upper, QChar lower) {
    const qsizetype at = text.indexOf(upper);
    if (at <= 0) return false;
    const QChar before = text.at(at - 1);
    const bool after = at + 1 < text.size() && LowerAz(text.at(at + 1));
    if (LowerAz(before) || (UpperAz(before) && after)) {
        text[at] = lower;
        return true;
    }
    return false;
}

}  // namespace

QString FixCapitalNordicLetters(const QString& text) {
    QString out = text;
    bool changed = true;
    while (changed) {
        changed = false;
        changed |= LowerFirst(out, QChar(0x00D8), QChar(0x00F8));  // Ø ø
        changed |= LowerFirst(out, QChar(0x00C5), QChar(0x00E5));  // Å å
        changed |= LowerFirst(out, QChar(0x00C6), QChar(0x00E6));  // Æ æ
    }
    return out;
}
