#pragma once

#include <QDateTime>
#include <QString>

// Text and number helpers shared by the whole program.

// The program's date-time text: "dd.MM.yyyy hh:mm:ss".
QString DateTimeText(const QDateTime& moment);

// "dd.mm.yyyy" becomes "yyyy.mm.dd" and "yyyy.mm.dd" becomes "dd.mm.yyyy",
// told apart by a "." at the third or fifth character; any other text is
// returned unchanged. For typed dates use ParseScreenDate (Dates.h).
QString SwapDateOrder(const QString& text);

// Removes blanks (and other characters up to the space) at both ends / at the right end.
QString TrimBlanks(const QString& text);
QString TrimRightBlanks(const QString& text);

// Pads with blanks to n characters, then cuts to n.
QString PadRight(const QString& text, int n);

// The part after the last "/" (the whole text when there is none).
QString AfterLastSlash(const QString& text);

// The number in a typed or imported text; 0 when there is none. Blanks are
// dropped; "," counts as the decimal sign like "."; when both occur the last
// one is the decimal sign and the others are thousands separators
// ("1.234,50"); a trailing ",-" or ".-" means no decimals ("250,-");
// "E" is an exponent only between digits ("1E3", not "EUR 100"); other
// characters are dropped.
double ParseNumber(const QString& text);

// `x` with `decimals` decimals, a blank as thousands separator (three and
// six places left of the decimal point), padded on the left to `width`.
QString FormatThousands(int width, int decimals, double x);
// `x` rounded to `decimals` places, half away from zero, as the decimal number it stands
// for: 68.3375 (held as 68.33749999...) gives 68.34. Float noise below the sixth decimal
// of the rounded unit is dropped first.
double RoundDecimal(double x, int decimals);

// Fourteen digits yyyyMMddhhmmss.
QString TimeStampText(const QDateTime& moment);

// Repairs Norwegian letters read from old DOS files (143 "Å", 157 "Ø",
// 248 "°", 8216 "æ", 8217 "Æ", 8224 "å", 8250 "ø").
QString OemToNorwegian(const QString& text);

// Passwords kept in ini files: "abc" is stored as "zbdf2".
QString ScramblePassword(const QString& plain);
QString UnscramblePassword(const QString& stored);
