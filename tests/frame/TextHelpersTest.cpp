// The shared text, number and date helpers.
#include <gtest/gtest.h>

#include "app/frame/Dates.h"
#include "app/frame/TextHelpers.h"

namespace {

TEST(SwapDateOrder, TurnsScreenDatesIntoSqlTextAndBack) {
    const std::pair<const char*, const char*> cases[] = {
        {"24.12.2012", "2012.12.24"},
        {"2012.12.24", "24.12.2012"},
        {"24.12.12", "12.12.24"},            // two-digit year: as it always was
        {"24.12.2012 10:00", "2012.12.24"},  // only the date part
        {"1.2.2012", "1.2.2012"},            // not handled: unchanged
        {"", ""},
        {"abc", "abc"},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(SwapDateOrder(in), out) << in;
}

TEST(ParseScreenDate, AcceptsTheTypedFormsAndRefusesImpossibleDates) {
    const int century = QDate::currentDate().year() / 100 * 100;
    const std::pair<const char*, QDate> cases[] = {
        {"1.2.2012", QDate(2012, 2, 1)},
        {"01.02.2012", QDate(2012, 2, 1)},
        {" 29.02.2012 ", QDate(2012, 2, 29)},
        {"05.06.12", QDate(century + 12, 6, 5)},
        {"5.6.12", QDate(century + 12, 6, 5)},
        {"29.02.2013", QDate()},
        {"31.04.2012", QDate()},
        {"0.1.2012", QDate()},
        {"1.13.2012", QDate()},
        {"1.2.123", QDate()},
        {"1/2/2012", QDate()},
        {"2012.02.01", QDate()},
        {"", QDate()},
        {"1.2.2012x", QDate()},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(ParseScreenDate(in), out) << in;
    bool ok = false;
    EXPECT_EQ(ScreenDateToSql("1.2.2012", &ok), "2012.02.01");
    EXPECT_TRUE(ok);
    EXPECT_EQ(ScreenDateToSql("30.2.2012", &ok), "");
    EXPECT_FALSE(ok);
    EXPECT_EQ(ScreenDateText(QDate(2012, 2, 1)), "01.02.2012");
    // A two-digit year stays within 50 years back.
    const int last = (QDate::currentDate().year() - 51) % 100;
    EXPECT_GT(ParseScreenDate(QString("1.1.%1").arg(last, 2, 10, QChar('0'))).year(),
              QDate::currentDate().year());
}

TEST(ParseNumber, KeepsEveryValueThatParsedBefore) {
    const std::pair<const char*, double> cases[] = {
        {"12", 12},
        {"-3", -3},
        {"+4", 4},
        {"1,5", 1.5},
        {"1.5", 1.5},
        {"1 000", 1000},
        {" 2 500,75 ", 2500.75},
        {"1.5E3", 1500},
        {"1.5E-3", 0.0015},
        {"12kg", 12},
        {"kr 99,90", 99.9},
        {".5", 0.5},
        {"5.", 5},
        {"", 0},
        {"abc", 0},
        {"1.2.3", 0},
        {"10-20", 0},
        {"-", 0},
    };
    for (const auto& [in, out] : cases) EXPECT_DOUBLE_EQ(ParseNumber(in), out) << in;
}

TEST(ParseNumber, ReadsThousandsSeparatorsCurrencyAndWholeUnits) {
    const std::pair<const char*, double> cases[] = {
        {"1.234,50", 1234.5},
        {"1,234.50", 1234.5},
        {"1.234.567,89", 1234567.89},
        {"250,-", 250},
        {"250.-", 250},
        {"1.250,-", 1250},
        {"EUR 100", 100},
        {"100 EUR", 100},
        {"NOK 1E3", 1000},
        {"E5", 5},
        {"5E", 5},
        {"kr 1.234,50", 1234.5},
    };
    for (const auto& [in, out] : cases) EXPECT_DOUBLE_EQ(ParseNumber(in), out) << in;
}

TEST(FormatThousands, InsertsBlanksThreeAndSixPlacesLeftOfThePoint) {
    struct Case {
        int width, decimals;
        double x;
        const char* out;
    };
    const Case cases[] = {
        {0, 2, 999.99, "999.99"},
        {0, 2, 1000, "1 000.00"},
        {0, 2, 1234567.891, "1 234 567.89"},
        {0, 0, 1234567, "1 234 567"},
        {0, 0, 999999, "999 999"},
        {12, 2, 1234.5, "    1 234.50"},
        {0, 2, 999.999, "1 000.00"},  // as rounded
        {0, 2, -1234.5, "-1 234.50"},
        {0, 2, -0.001, "0.00"},
        {3, 0, 5, "  5"},
        // Amounts computed in doubles round as the decimal numbers they stand for.
        {0, 2, 54.67 + 54.67 / 100 * 25, "68.34"},
        {0, 2, 1.005, "1.01"},
        {0, 2, -2.675, "-2.68"},
        {0, 2, 9999999999999.99, "9999999 999 999.99"},
    };
    for (const Case& c : cases) EXPECT_EQ(FormatThousands(c.width, c.decimals, c.x), c.out) << c.x;
}

TEST(RoundDecimal, HalfAwayFromZeroOnTheDecimalValue) {
    EXPECT_DOUBLE_EQ(RoundDecimal(68.3375, 2), 68.34);
    EXPECT_DOUBLE_EQ(RoundDecimal(0.125, 2), 0.13);
    EXPECT_DOUBLE_EQ(RoundDecimal(-0.125, 2), -0.13);
    EXPECT_DOUBLE_EQ(RoundDecimal(114.00000000001, 0), 114);
    EXPECT_DOUBLE_EQ(RoundDecimal(2.5, 0), 3);
    EXPECT_DOUBLE_EQ(RoundDecimal(1e300, 2), 1e300);
}

TEST(TextHelpers, TrimPadSlashTimeStamp) {
    EXPECT_EQ(TrimBlanks("  a b \t"), "a b");
    EXPECT_EQ(TrimRightBlanks("  a b  "), "  a b");
    EXPECT_EQ(PadRight("abc", 5), "abc  ");
    EXPECT_EQ(PadRight("abcdef", 3), "abc");
    EXPECT_EQ(PadRight("abc", 0), "");
    EXPECT_EQ(AfterLastSlash("a/b/c.txt"), "c.txt");
    EXPECT_EQ(AfterLastSlash("c.txt"), "c.txt");
    EXPECT_EQ(AfterLastSlash("a/"), "");
    EXPECT_EQ(TimeStampText(QDateTime(QDate(2012, 3, 4), QTime(5, 6, 7))), "20120304050607");
    EXPECT_EQ(DateTimeText(QDateTime(QDate(2012, 3, 4), QTime(5, 6, 7))), "04.03.2012 05:06:07");
}

TEST(TextHelpers, OemToNorwegianRepairsOldDosLetters) {
    QString old;
    for (int code : {143, 157, 248, 8216, 8217, 8224, 8250, 65}) old += QChar(char16_t(code));
    EXPECT_EQ(OemToNorwegian(old), QString("ÅØ°æÆåøA"));
}

TEST(ScramblePassword, DocumentedFormAndRoundTrip) {
    EXPECT_EQ(ScramblePassword("abc"), "zbdf2");
    EXPECT_EQ(ScramblePassword(""), "z2");
    EXPECT_EQ(UnscramblePassword("zbdf2"), "abc");
    EXPECT_EQ(UnscramblePassword("z2"), "");
    EXPECT_EQ(UnscramblePassword(""), "");
    for (const QString& plain : {QString("hemmelig"), QString("Blåbær€ 12 ="), QString(40, 'z'),
                                 QString(" leading and trailing ")}) {
        EXPECT_EQ(UnscramblePassword(ScramblePassword(plain)), plain);
    }
}

}  // namespace
