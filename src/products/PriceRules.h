#pragma once

#include <QString>

// The product price formula and the rules around it, without any dataset: the save rules
// and the bulk recalculation in SQL both follow these.

// Real cost per unit: cost less the vendor discount, plus freight and other direct cost.
double RealCost(double cost, double discount, double freight, double directCost);

// The price before rounding: real cost plus the mark-ups when there is any mark-up,
// otherwise the cost itself (before discount, freight and direct cost).
double CalculatedPrice(double cost, double realCost, double addSum, double addPercent);

// `value` rounded to six decimals, so that a sum such as 114.00000000001 counts as whole.
double RoundToSixDecimals(double value);

// Krone rounding: off, a price with a fractional part goes up to its integer part plus 1;
// with `toFour`, a price that is not a multiple of 4 becomes (integer part div 4 + 1) * 4.
// "Fractional" is judged after rounding to six decimals.
double RoundPrice(double price, bool krone, bool toFour);

// The VAT rate in percent of a product VAT code: 0 = 25, 1 = 15, 2 = 12, 3 = 8, 4 = 0; any
// other code gives 0 (no VAT added).
double ProductVatRate(long long vatCode);
// The price with VAT.
double PriceInclVat(double price, long long vatCode);

// The capital letter repair of "Fiks stor ÆØÅ": the first "Ø", "Å" and "Æ" become lower case
// after a lower-case a-z, or after an upper-case A-Z when a lower-case a-z follows; repeated
// until a pass changes nothing.
QString FixCapitalNordicLetters(const QString& text);
