// Texts of the server read as typed values: odd and broken texts never crash.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>

#include "db/FieldText.h"

namespace {

TEST(FieldText, DatesIncludingZeroAndBrokenOnes) {
    struct Case {
        const char* text;
        QDate date;
        bool zero;
    } cases[] = {
        {"2024-02-29", QDate(2024, 2, 29), false},
        {"0000-00-00", QDate(), true},
        {"0000-00-00 00:00:00", QDate(), true},
        {"0000-00-00 00:00:00.000000", QDate(), true},
        {"2024-00-00", QDate(), false},
        {"2023-02-29", QDate(), false},
        {"", QDate(), false},
        {"garbage", QDate(), false},
        {"2024-1", QDate(), false},
    };
    for (const Case& c : cases) {
        const std::size_t n = std::strlen(c.text);
        EXPECT_EQ(c.date, fieldtext::ToDate(c.text, n)) << c.text;
        EXPECT_EQ(c.zero, fieldtext::IsZeroDate(c.text, n)) << c.text;
        EXPECT_EQ(c.date.isValid(), fieldtext::ToDateTime(c.text, n).isValid()) << c.text;
    }
    EXPECT_EQ(QDateTime(QDate(2024, 3, 1), QTime(12, 34, 56, 500)),
              fieldtext::ToDateTime("2024-03-01 12:34:56.5", 21));
    EXPECT_EQ(QTime(838, 0, 0).isValid(), fieldtext::ToTime("838:00:00", 9).isValid());
}

TEST(FieldText, NumbersRoundTrip) {
    EXPECT_EQ(-12, fieldtext::ToInteger("-12", 3));
    EXPECT_EQ(13, fieldtext::ToInteger("12.50", 5));
    EXPECT_EQ(0, fieldtext::ToInteger("abc", 3));
    EXPECT_EQ(0, fieldtext::ToInteger("", 0));
    EXPECT_DOUBLE_EQ(1234567.89, fieldtext::ToFloat("1234567.89", 10));
    EXPECT_EQ("0.1", fieldtext::FromFloat(0.1));
    EXPECT_EQ("1234567.89", fieldtext::FromFloat(1234567.89, 2));
    EXPECT_EQ("2.50", fieldtext::FromFloat(2.5, 2));
    // The decimal number a computed double stands for, rounded half away from zero as the
    // server rounds it: 37.7 * 1.45 is 54.665, held as 54.66499...
    EXPECT_EQ("54.67", fieldtext::FromFloat(37.7 + 37.7 / 100 * 45, 2));
    EXPECT_EQ("68.34", fieldtext::FromFloat(54.67 + 54.67 / 100 * 25, 2));
    EXPECT_EQ("-2.68", fieldtext::FromFloat(-2.675, 2));
    EXPECT_EQ("9999999999999.99", fieldtext::FromFloat(9999999999999.99, 2));
    EXPECT_EQ("0", fieldtext::FromFloat(std::numeric_limits<double>::quiet_NaN()));
}

}  // namespace
