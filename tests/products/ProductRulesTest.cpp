// The product table's rules on a real server: new-record defaults, the save rules step by
// step, what a save writes, a duplicate product code, text in number fields, a NULL row and
// the lookup and calculated fields.
#include <QDate>

#include "ProductFixture.h"
#include "products/ProductRules.h"

namespace {

using ProductRulesTest = ProductFixture;

const std::string kToday =
    QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")).toStdString();

TEST_F(ProductRulesTest, NewProductTakesTheDefaultsOfTheLastSaved) {
    AddProduct("P1", "piece,productgroup,addpercent,cost", "'stk','VVS',25,80");
    ASSERT_TRUE(OpenProducts());
    ASSERT_TRUE(Products().Edit());
    ASSERT_TRUE(SaveProduct(Products()));  // remembers stk, VVS, 25
    ASSERT_TRUE(Products().Append());
    EXPECT_EQ(Products().AsString("piece"), QStringLiteral("stk"));
    EXPECT_EQ(Products().AsString("productgroup"), QStringLiteral("VVS"));
    EXPECT_DOUBLE_EQ(Products().AsFloat("addpercent"), 25);
    EXPECT_DOUBLE_EQ(Products().AsFloat("value"), 100);
    EXPECT_EQ(Products().AsDate("lastpriceupdate"), QDate::currentDate());
    EXPECT_EQ(Products().AsInteger("user"), 7);
    EXPECT_EQ(Products().AsInteger("usergroup"), 3);
    EXPECT_EQ(Products().AsInteger("recalc_id"), 0);
    Products().SetString("productcode", QStringLiteral("P2"));
    Products().SetFloat("cost", 100);
    ASSERT_TRUE(SaveProduct(Products())) << Products().LastError().toStdString();
    const long long id = Products().AsInteger("id");
    EXPECT_DOUBLE_EQ(Number(id, "price"), 125);
    EXPECT_DOUBLE_EQ(Number(id, "real_cost"), 100);
    EXPECT_EQ(Column(id, "rwx_all"), "0");
    EXPECT_EQ(Column(id, "piece"), "stk");
}

struct SaveCase {
    const char* name;
    const char* columns;  // stored before the save
    const char* values;
    bool krone, toFour;
    // stored after the save
    double realCost, price, value, maxStock;
    int usertag, recalcId;
};

void PrintTo(const SaveCase& c, std::ostream* os) { *os << c.name; }

class SaveRules : public ProductFixture, public ::testing::WithParamInterface<SaveCase> {};

TEST_P(SaveRules, StepsOneToNine) {
    const SaveCase& c = GetParam();
    ctx_.settings().KroneAvrunding = c.krone;
    ctx_.settings().Krone4Avrunding = c.toFour;
    const long long id = AddProduct("S1", c.columns, c.values);
    ASSERT_TRUE(OpenProducts());
    ASSERT_TRUE(Products().Edit());
    ASSERT_TRUE(SaveProduct(Products())) << Products().LastError().toStdString();
    EXPECT_DOUBLE_EQ(Number(id, "real_cost"), c.realCost);
    EXPECT_DOUBLE_EQ(Number(id, "price"), c.price);
    EXPECT_DOUBLE_EQ(Number(id, "value"), c.value);
    EXPECT_DOUBLE_EQ(Number(id, "maxstock"), c.maxStock);
    EXPECT_EQ(Column(id, "usertag"), std::to_string(c.usertag));
    EXPECT_EQ(Column(id, "recalc_id"), std::to_string(c.recalcId));
    EXPECT_EQ(Column(id, "user"), "7");
    EXPECT_EQ(Column(id, "usergroup"), "3");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SaveRules,
    ::testing::Values(
        SaveCase{"cost_not_real_cost", "cost,discount,freight,value", "100,10,5,100", false, false,
                 95, 100, 100, 0, 0, 0},
        SaveCase{"markup_20", "cost,discount,freight,addpercent,value", "100,10,5,20,100", false,
                 false, 95, 114, 100, 0, 0, 0},
        SaveCase{"krone_114_5", "cost,discount,freight,addpercent,addsum,value",
                 "100,10,5,20,0.5,100", true, false, 95, 115, 100, 0, 0, 0},
        SaveCase{"krone4_114", "cost,discount,freight,addpercent,value", "100,10,5,20,100", true,
                 true, 95, 116, 100, 0, 0, 0},
        SaveCase{"krone4_116_stays", "cost,discount,freight,addpercent,addsum,value",
                 "100,10,5,20,2,100", true, true, 95, 116, 100, 0, 0, 0},
        // 0.1 + 0.2 style sums: whole after six decimals.
        SaveCase{"krone_almost_whole", "cost,addsum,value", "113.7,0.30000000001,100", true, false,
                 113.7, 114, 100, 0, 0, 0},
        SaveCase{"locked_keeps_typed_price", "cost,discount,addpercent,price,usertag",
                 "100,10,50,333.33,1", true, false, 90, 333.33, 100, 0, 1, 0},
        SaveCase{"other_lock_value_locks_then_zero", "cost,price,usertag", "100,77,2", false, false,
                 100, 77, 100, 0, 0, 0},
        SaveCase{"max_below_min", "cost,maxstock,minstock", "10,5,10", false, false, 10, 10, 100,
                 10, 0, 0},
        SaveCase{"value_zero", "cost,value", "10,0", false, false, 10, 10, 100, 0, 0, 0},
        SaveCase{"negative_markup", "cost,discount,freight,addpercent", "100,10,5,-10", false,
                 false, 95, 85.5, 100, 0, 0, 0},
        SaveCase{"negative_cost", "cost,addsum", "-40.5,-10", true, false, -40.5, -49, 100, 0, 0,
                 0},
        SaveCase{"zero_cost", "cost", "0", true, true, 0, 0, 100, 0, 0, 0},
        SaveCase{"package_stays", "recalc_id,cost", "1,5", false, false, 5, 5, 100, 0, 0, 1},
        SaveCase{"other_package_value", "recalc_id,cost", "7,5", false, false, 5, 5, 100, 0, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProductRulesTest, PriceDateChangesOnlyWithCostOrPrice) {
    const long long id = AddProduct("D1", "cost,real_cost,price,value,lastpriceupdate",
                                    "50,50,50,100,'2020-01-02 00:00:00'");
    ASSERT_TRUE(OpenProducts());
    ASSERT_TRUE(Products().Edit());
    Products().SetString("producttext", QStringLiteral("Ny tekst"));
    ASSERT_TRUE(SaveProduct(Products()));
    EXPECT_EQ(Column(id, "lastpriceupdate"), "2020-01-02 00:00:00");
    ASSERT_TRUE(Products().Edit());
    Products().SetFloat("cost", 60);
    ASSERT_TRUE(SaveProduct(Products()));
    EXPECT_EQ(Column(id, "lastpriceupdate"), kToday + " 00:00:00");
    EXPECT_DOUBLE_EQ(Number(id, "price"), 60);
}

TEST_F(ProductRulesTest, SaveWritesOnlyWhatChanged) {
    // Stored as the rules give it and owned by this user: only the name may be written.
    const long long id = AddProduct(
        "W1", "cost,real_cost,price,value,instock,internaltext,user,usergroup,usertag,recalc_id",
        "50,50,50,100,10,'gammel',7,3,0,0");
    ASSERT_TRUE(OpenProducts());
    // Another workstation changes the row meanwhile.
    db_.Exec("UPDATE product SET instock=3, internaltext='fra en annen', price=51 WHERE id=" +
             std::to_string(id));
    ASSERT_TRUE(Products().Edit());
    Products().SetString("producttext", QStringLiteral("Skrue"));
    ASSERT_TRUE(SaveProduct(Products()));
    EXPECT_EQ(Column(id, "producttext"), "Skrue");
    EXPECT_EQ(Column(id, "instock"), "3");
    EXPECT_EQ(Column(id, "internaltext"), "fra en annen");
    EXPECT_EQ(Column(id, "price"), "51");
}

TEST_F(ProductRulesTest, DuplicateCodeIsToldAndTheEditStays) {
    AddProduct("A-100");
    const long long other = AddProduct("B-200");
    ASSERT_TRUE(OpenProducts());
    ASSERT_TRUE(LocateCode(QStringLiteral("B-200")));
    ASSERT_TRUE(Products().Edit());
    Products().SetString("productcode", QStringLiteral("A-100"));
    Products().SetString("producttext", QStringLiteral("Mye skrevet tekst"));
    EXPECT_FALSE(SaveProduct(Products()));
    ASSERT_EQ(prompter_->messages().size(), 1u);
    EXPECT_EQ(prompter_->messages()[0],
              QStringLiteral("FEIL: Varenummeret A-100 finnes allerede."));
    EXPECT_EQ(Products().State(), DatasetState::Edit);
    EXPECT_EQ(Products().AsString("producttext"), QStringLiteral("Mye skrevet tekst"));
    EXPECT_EQ(Column(other, "productcode"), "B-200");
    Products().SetString("productcode", QStringLiteral("C-300"));
    EXPECT_TRUE(SaveProduct(Products()));
    EXPECT_EQ(Column(other, "productcode"), "C-300");
    EXPECT_EQ(Column(other, "producttext"), "Mye skrevet tekst");

    // A new product with a taken code keeps its values too.
    prompter_->ClearEvents();
    ASSERT_TRUE(Products().Append());
    Products().SetString("productcode", QStringLiteral("A-100"));
    Products().SetFloat("cost", 42);
    EXPECT_FALSE(SaveProduct(Products()));
    EXPECT_EQ(prompter_->messages().at(0),
              QStringLiteral("FEIL: Varenummeret A-100 finnes allerede."));
    EXPECT_EQ(Products().State(), DatasetState::Insert);
    EXPECT_DOUBLE_EQ(Products().AsFloat("cost"), 42);
    EXPECT_EQ(db_.Scalar("SELECT COUNT(*) FROM product"), "2");
}

TEST_F(ProductRulesTest, TextInNumberFieldsSavesTheNumberItHolds) {
    const long long id = AddProduct("N1", "cost,value", "10,100");
    ASSERT_TRUE(OpenProducts());
    ASSERT_TRUE(Products().Edit());
    Products().SetString("cost", QStringLiteral("abc"));
    Products().SetString("discount", QStringLiteral("12,5"));
    Products().SetString("freight", QStringLiteral("kr 1 250,50"));
    Products().SetString("vatcode", QStringLiteral("x2"));
    Products().SetString("height", QStringLiteral("høy"));
    Products().SetString("minstock", QStringLiteral(""));
    ASSERT_TRUE(SaveProduct(Products())) << Products().LastError().toStdString();
    EXPECT_DOUBLE_EQ(Number(id, "cost"), 0);
    EXPECT_DOUBLE_EQ(Number(id, "discount"), 12.5);
    EXPECT_DOUBLE_EQ(Number(id, "freight"), 1250.5);
    EXPECT_EQ(Column(id, "vatcode"), "2");
    EXPECT_EQ(Column(id, "height"), "0");
    EXPECT_EQ(Column(id, "minstock"), "NULL");
    EXPECT_DOUBLE_EQ(Number(id, "real_cost"), 1250.5);
}

TEST_F(ProductRulesTest, RowWithNullEverywhereReadsAndSaves) {
    const long long id = AddProduct("NULL-1");
    const QueryResult nullable = dm_.connection().Query(QStringLiteral(
        "SELECT column_name FROM information_schema.columns WHERE table_schema=DATABASE() AND "
        "table_name='product' AND is_nullable='YES'"));
    ASSERT_TRUE(nullable.ok());
    QStringList sets;
    for (int i = 0; i < nullable.RowCount(); ++i)
        sets << Connection::QuoteIdentifier(nullable.Text(i, 0)) + "=NULL";
    ASSERT_GT(sets.size(), 40);
    db_.Exec("UPDATE product SET " + sets.join(',').toStdString() +
             " WHERE id=" + std::to_string(id));

    ASSERT_TRUE(OpenProducts());
    EXPECT_DOUBLE_EQ(Products().AsFloat("PriceInclVAT"), 0);
    EXPECT_EQ(Products().AsString("product_companyname"), QString());
    ASSERT_TRUE(Products().Edit());
    ASSERT_TRUE(SaveProduct(Products())) << Products().LastError().toStdString();
    EXPECT_EQ(Column(id, "value"), "100");
    EXPECT_EQ(Column(id, "real_cost"), "0");
    EXPECT_EQ(Column(id, "price"), "0");
    EXPECT_EQ(Column(id, "usertag"), "0");
    EXPECT_EQ(Column(id, "recalc_id"), "0");
    EXPECT_EQ(Column(id, "maxstock"), "NULL");  // 0 < 0 is false: left alone
    EXPECT_TRUE(prompter_->messages().empty());
}

TEST_F(ProductRulesTest, VendorNameAndPriceWithVat) {
    db_.Exec("INSERT INTO company (companyname) VALUES ('Rør & Co')");
    const std::string vendor = db_.Scalar("SELECT MAX(id) FROM company");
    AddProduct("V1", "price,vatcode,vendor", "100,0," + vendor);
    AddProduct("V2", "price,vatcode,vendor", "200,3,NULL");
    ASSERT_TRUE(dm_.OpenLookups());
    ASSERT_TRUE(OpenProducts());
    ASSERT_TRUE(LocateCode(QStringLiteral("V1")));
    EXPECT_EQ(Products().AsString("product_companyname"), QStringLiteral("Rør & Co"));
    EXPECT_DOUBLE_EQ(Products().AsFloat("PriceInclVAT"), 125);
    ASSERT_TRUE(LocateCode(QStringLiteral("V2")));
    EXPECT_EQ(Products().AsString("product_companyname"), QString());
    EXPECT_DOUBLE_EQ(Products().AsFloat("PriceInclVAT"), 216);
    // The VAT follows an edit before it is saved.
    ASSERT_TRUE(Products().Edit());
    Products().SetInteger("vatcode", 4);
    EXPECT_DOUBLE_EQ(Products().AsFloat("PriceInclVAT"), 200);
    Products().Cancel();
}

}  // namespace
