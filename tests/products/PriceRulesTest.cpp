// The price formula, krone rounding, VAT, the capital letter repair, the code range of the
// quick search and the EAN-128 text, without a database.
#include <gtest/gtest.h>

#include <cmath>

#include "products/Barcode.h"
#include "products/PriceRules.h"
#include "products/ProductFilters.h"

namespace {

struct PriceCase {
    const char* name;
    double cost, discount, freight, directCost, addSum, addPercent;
    bool krone, toFour;
    double realCost, price;
};

void PrintTo(const PriceCase& c, std::ostream* os) { *os << c.name; }

class PriceFormula : public ::testing::TestWithParam<PriceCase> {};

TEST_P(PriceFormula, RealCostAndRoundedPrice) {
    const PriceCase& c = GetParam();
    const double real = RealCost(c.cost, c.discount, c.freight, c.directCost);
    EXPECT_NEAR(real, c.realCost, 1e-9);
    const double price =
        RoundPrice(CalculatedPrice(c.cost, real, c.addSum, c.addPercent), c.krone, c.toFour);
    EXPECT_NEAR(price, c.price, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PriceFormula,
    ::testing::Values(
        // No mark-up: the price is the cost, not the real cost.
        PriceCase{"no_markup", 100, 10, 5, 0, 0, 0, false, false, 95, 100},
        PriceCase{"markup_20", 100, 10, 5, 0, 0, 20, false, false, 95, 114},
        PriceCase{"markup_20_krone", 100, 10, 5, 0, 0, 20, true, false, 95, 114},
        PriceCase{"markup_20_krone4", 100, 10, 5, 0, 0, 20, true, true, 95, 116},
        PriceCase{"addsum_half_krone", 100, 10, 5, 0, 0.5, 20, true, false, 95, 115},
        PriceCase{"addsum_krone4_stays_116", 100, 10, 5, 0, 2, 20, true, true, 95, 116},
        PriceCase{"direct_cost", 200, 0, 0, 10, 5, 0, false, false, 210, 215},
        PriceCase{"negative_markup", 100, 0, 0, 0, 0, -10, false, false, 100, 90},
        PriceCase{"zero_cost", 0, 0, 0, 0, 0, 0, true, true, 0, 0},
        PriceCase{"zero_cost_addsum", 0, 0, 0, 0, 10.25, 0, true, false, 0, 11},
        PriceCase{"negative_cost", -50, 0, 0, 0, 0, 0, false, false, -50, -50},
        PriceCase{"negative_cost_krone", -50.5, 0, 0, 0, 0, 0, true, false, -50.5, -49},
        PriceCase{"full_discount", 80, 100, 0, 0, 0, 50, false, false, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

struct RoundCase {
    double price;
    bool toFour;
    double rounded;
};

TEST(RoundPrice, WholeKronerAndMultiplesOfFour) {
    const RoundCase cases[] = {
        {114.5, false, 115},
        {114, false, 114},
        // A sum that is whole but for the last bits stays whole.
        {114.00000000001, false, 114},
        {113.99999999999, false, 114},
        {114.0000011, false, 115},
        {114, true, 116},
        {116, true, 116},
        {116.00000000001, true, 116},
        {116.2, true, 120},
        {0.01, false, 1},
        {0.01, true, 4},
        {0, true, 0},
    };
    for (const RoundCase& c : cases) {
        EXPECT_DOUBLE_EQ(RoundPrice(c.price, true, c.toFour), c.rounded)
            << c.price << " four=" << c.toFour;
    }
    // Off: untouched, "four" alone does nothing.
    EXPECT_DOUBLE_EQ(RoundPrice(114.5, false, true), 114.5);
    EXPECT_DOUBLE_EQ(RoundPrice(100.0 * 1.14 + 0.1 + 0.2 - 0.3, true, false), 114);
}

TEST(Vat, RatesByCodeAndUnknownCodes) {
    EXPECT_DOUBLE_EQ(PriceInclVat(100, 0), 125);
    EXPECT_DOUBLE_EQ(PriceInclVat(100, 1), 115);
    EXPECT_DOUBLE_EQ(PriceInclVat(100, 2), 112);
    EXPECT_DOUBLE_EQ(PriceInclVat(100, 3), 108);
    EXPECT_DOUBLE_EQ(PriceInclVat(100, 4), 100);
    EXPECT_DOUBLE_EQ(PriceInclVat(100, 5), 100);
    EXPECT_DOUBLE_EQ(PriceInclVat(100, -1), 100);
}

TEST(FixCapitalNordicLetters, LowersAfterLetters) {
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("KjØkkenbenk"), QStringLiteral("Kjøkkenbenk")},
        {QStringLiteral("BLÅBÆR"), QStringLiteral("BLÅBÆR")},  // capitals between capitals stay
        {QStringLiteral("BlÅbÆr"), QStringLiteral("Blåbær")},
        // Only a-z counts as lower case before it, so "å" does not lower the "Ø" after it.
        {QStringLiteral("SkrÅØÆ"), QStringLiteral("SkråØÆ")},
        // Each pass looks at the first one again: the second "Ø" follows once the first is lowered.
        {QStringLiteral("HØØk"), QStringLiteral("HØØk")},
        {QStringLiteral("hØkØk"), QStringLiteral("høkøk")},
        {QStringLiteral("ØL"), QStringLiteral("ØL")},  // nothing before it
        {QStringLiteral("GrØnn ØØ"), QStringLiteral("Grønn ØØ")},
        {QStringLiteral("RØr"), QStringLiteral("Rør")},  // capital before, lower after
        {QStringLiteral("RØ"), QStringLiteral("RØ")},
        {QStringLiteral(""), QStringLiteral("")},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(FixCapitalNordicLetters(in), out) << in.toStdString();
}

TEST(QuickSearchRange, WholeNumbersAboveZero) {
    const auto r = ParseProductCodeRange(QStringLiteral("100 - 200"));
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->from, QStringLiteral("100"));
    EXPECT_EQ(r->to, QStringLiteral("200"));
    for (const char* text : {"abc-1", "0-5", "5-0", "1-2-3", "-5", "5-", "1.5-3", "+1-2", "100"})
        EXPECT_FALSE(ParseProductCodeRange(QString::fromUtf8(text)).has_value()) << text;
}

TEST(Ean128, TextOfTheCode) {
    EXPECT_EQ(Ean128Text(QStringLiteral("100234")), QStringLiteral("100234"));
    EXPECT_EQ(Ean128Text(QStringLiteral("AB-12/x")), QStringLiteral("AB-12/x"));
    EXPECT_EQ(Ean128Text(QStringLiteral("[01]07012345678905")),
              QStringLiteral("(01)07012345678905"));
    EXPECT_EQ(Ean128Text(QString()), QString());
    EXPECT_EQ(Ean128Text(QStringLiteral("   ")), QString());
    // Data that is not GS1 after all cannot be encoded as GS1-128.
    EXPECT_EQ(Ean128Text(QStringLiteral("[01")), QString());
}

TEST(Ean128, PictureHasBarsAndWhiteMargins) {
    const QImage image = RenderEan128(QStringLiteral("100234"));
    ASSERT_FALSE(image.isNull());
    EXPECT_GT(image.width(), 100);
    EXPECT_GT(image.height(), 50);
    int dark = 0;
    const int y = image.height() / 3;
    for (int x = 0; x < image.width(); ++x) dark += qGray(image.pixel(x, y)) < 128;
    EXPECT_GT(dark, 20);
    EXPECT_GT(qGray(image.pixel(0, y)), 200);
    EXPECT_TRUE(RenderEan128(QString()).isNull());
    EXPECT_FALSE(RenderEan128(QStringLiteral("(01)07012345678905")).isNull());
}

}  // namespace
