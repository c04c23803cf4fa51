// The product list's filters on a real server: the quick search with hostile texts, the
// command filters, a failing filter, the purchase proposal and the favourite toggle.
#include "ProductFixture.h"
#include "products/ProductFilters.h"
#include "products/ProductStock.h"

namespace {

using ProductListTest = ProductFixture;

QStringList Codes(Table& t) {
    QStringList codes;
    for (bool more = t.First(); more && !t.Eof(); more = t.Next())
        codes << t.AsString(QStringLiteral("productcode"));
    return codes;
}

TEST_F(ProductListTest, QuickSearchQuotesEveryTypedText) {
    AddProduct("150", "producttext", "'O''Brien kabel'");
    AddProduct("1000", "producttext", "'Sti C:\\\\temp\\\\x'");
    AddProduct("300", "producttext", "'50% rabatt'");
    AddProduct("301", "producttext", "'500 skruer'");
    AddProduct("302", "producttext", "'abc'");
    AddProduct("303", "producttext", "'a_c'");
    AddProduct("304", "vendorid,EAN", "'LEV 9','7038010001234'");
    ASSERT_TRUE(OpenProducts());
    struct Case {
        const char* text;
        QStringList codes;
    };
    const Case cases[] = {
        {"O'Brien", {"150"}},
        {"C:\\temp\\x", {"1000"}},
        // "%" and "_" stay wildcards.
        {"50%", {"150", "300", "301"}},
        {"a_c", {"302", "303"}},
        {"x' OR '1'='1", {}},
        {"\\", {"1000"}},
        {"😀", {}},
        {"kabel😀", {}},
        {"o'brien KABEL", {"150"}},
        {"LEV 9", {"304"}},
        {"7038010001234", {"304"}},
        // A code range compares as text.
        {"100 - 200", {"1000", "150"}},
        {"abc-1", {}},
        {"0-5", {}},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(QuickSearchProducts(QString::fromUtf8(c.text))) << c.text;
        EXPECT_EQ(Codes(Products()), c.codes) << c.text;
        EXPECT_TRUE(Products().Filtered());
    }
    EXPECT_TRUE(prompter_->messages().empty());
    // Spaces alone give no filter: the list stays as it was.
    EXPECT_FALSE(QuickSearchProducts(QStringLiteral("   ")));
    EXPECT_EQ(Codes(Products()), QStringList());

    prompter_->Input(QStringLiteral("Brien"));
    EXPECT_TRUE(QuickSearchProductsCommand());
    EXPECT_EQ(Codes(Products()), QStringList{QStringLiteral("150")});
    EXPECT_EQ(prompter_->events().back().text, QStringLiteral("Søk etter:"));
}

TEST_F(ProductListTest, CommandFilters) {
    AddProduct("F1", "user_favorite,vendor,minstock,instock,productgroup", "1,5,2,1,'G''1'");
    AddProduct("F2", "user_favorite,vendor,minstock,instock,value,web", "0,5,0,3,50,1");
    AddProduct("F3", "user_favorite,vendor,ownproduction,recalc_id,rwx_all", "1,6,1,1,5");
    ASSERT_TRUE(OpenProducts());
    using F = ProductListFilter;
    const std::pair<F, QStringList> cases[] = {
        {F::Favourites, {"F1", "F3"}},
        {F::VendorFavourites, {"F1"}},
        {F::Vendor, {"F1", "F2"}},
        {F::ProductGroup, {"F1"}},
        {F::StockArticles, {"F1"}},
        {F::InStock, {"F1", "F2"}},
        {F::StockOrInStock, {"F1", "F2"}},
        {F::BelowMinimum, {"F1"}},
        {F::VendorBelowMinimum, {"F1"}},
        {F::OwnProduction, {"F3"}},
        {F::HardToSell, {"F2"}},
        {F::WebShop, {"F2"}},
        {F::Packages, {"F3"}},
        {F::Popular, {"F2", "F3"}},
        {F::None, {"F1", "F2", "F3"}},
    };
    for (const auto& [filter, codes] : cases) {
        ASSERT_TRUE(ApplyProductListFilter(filter, 5, QStringLiteral("G'1")));
        EXPECT_EQ(Codes(Products()), codes) << Products().FilterSql().toStdString();
    }
    EXPECT_FALSE(Products().Filtered());
}

TEST_F(ProductListTest, FailingFilterIsShown) {
    AddProduct("E1");
    ASSERT_TRUE(OpenProducts());
    EXPECT_FALSE(SetProductListFilter(QStringLiteral("nosuchcolumn=1")));
    ASSERT_EQ(prompter_->messages().size(), 1u);
    EXPECT_TRUE(
        prompter_->messages()[0].startsWith(QStringLiteral("FEIL: Varelisten kunne ikke leses: ")));
}

TEST_F(ProductListTest, PurchaseProposalLeavesOutFullProducts) {
    AddProduct("P1", "maxstock,instock", "10,3");
    AddProduct("P2", "maxstock,instock", "5,5");
    AddProduct("P3", "maxstock,instock", "2,8");
    AddProduct("P4", "maxstock,instock", "NULL,NULL");
    AddProduct("P5", "maxstock,instock", "0.3,0.1");
    AddProduct("P6", "maxstock,instock", "4,NULL");
    AddProduct("Q1", "maxstock,instock", "9,0");
    ASSERT_TRUE(OpenProducts());
    ASSERT_TRUE(SetProductListFilter(QStringLiteral("productcode like 'P%'")));
    Products().SetOrder(QStringLiteral("productcode DESC"));
    const auto lines = PurchaseProposal();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].productCode, QStringLiteral("P6"));
    EXPECT_DOUBLE_EQ(lines[0].quantity, 4);
    EXPECT_EQ(lines[1].productCode, QStringLiteral("P5"));
    EXPECT_DOUBLE_EQ(lines[1].quantity, 0.2);
    EXPECT_EQ(lines[2].productCode, QStringLiteral("P1"));
    EXPECT_DOUBLE_EQ(lines[2].quantity, 7);
    EXPECT_GT(lines[2].productId, 0);
}

TEST_F(ProductListTest, SpaceTogglesTheFavourite) {
    const long long id = AddProduct("T1", "user_favorite,cost,price,real_cost,value,user,usergroup",
                                    "0,5,5,5,100,7,3");
    ASSERT_TRUE(OpenProducts());
    ASSERT_TRUE(ToggleFavourite());
    EXPECT_EQ(Column(id, "user_favorite"), "1");
    ASSERT_TRUE(ToggleFavourite());
    EXPECT_EQ(Column(id, "user_favorite"), "0");
}

}  // namespace
