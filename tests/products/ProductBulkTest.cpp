// The bulk operations on a real server: the two recalculation statements and the
// recalculation with rounding against the save rules row for row, the relative stock
// commands beside a second workstation, the stock resets with their right, EAN numbers and
// the capital letter repair.
#include <QDate>

#include <random>
#include <sstream>

#include "ProductFixture.h"
#include "products/PriceRules.h"
#include "products/ProductBulk.h"
#include "products/ProductStock.h"

namespace {

using ProductBulkTest = ProductFixture;

const std::string kToday =
    QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")).toStdString();

// A few hundred products with every kind of price input: no mark-up, mark-ups, negative
// mark-ups, locked prices, zero and negative costs, odd flags and NULLs.
void AddVariedProducts(testsupport::TestDatabase& db, int count) {
    std::mt19937 random(20240611);
    auto pick = [&](std::initializer_list<const char*> options) {
        std::uniform_int_distribution<std::size_t> d(0, options.size() - 1);
        return std::string(*(options.begin() + static_cast<std::ptrdiff_t>(d(random))));
    };
    auto money = [&](int max) {
        std::uniform_int_distribution<int> d(0, max * 100);
        return std::to_string(d(random) / 100) + "." + std::to_string(d(random) % 100);
    };
    std::ostringstream sql;
    sql << "INSERT INTO product "
           "(productcode,producttext,productgroup,cost,discount,freight,direct_cost,addsum,"
           "addpercent,price,real_cost,usertag,value,maxstock,minstock,recalc_id,lastpriceupdate) "
           "VALUES ";
    for (int i = 0; i < count; ++i) {
        if (i) sql << ',';
        const std::string cost = i % 5 == 0 ? pick({"0", "-25.5", "NULL"}) : money(2000);
        sql << "('" << 1000 + i << "','Vare " << i << "','" << pick({"A", "B"}) << "'," << cost
            << ',' << pick({"0", "10", "12.5", "NULL", "33.3"}) << ','
            << pick({"0", "5", "0.35", "NULL"}) << ',' << pick({"0", "2.2", "NULL"}) << ','
            << pick({"0", "0", "0.5", "10", "-3", "NULL"}) << ','
            << pick({"0", "0", "20", "33.3333", "12.5", "-10", "NULL"}) << ',' << money(500) << ','
            << pick({"0", "7", "NULL"}) << ',' << pick({"0", "0", "0", "1", "2", "NULL"}) << ','
            << pick({"0", "100", "50", "NULL"}) << ',' << pick({"0", "5", "NULL"}) << ','
            << pick({"0", "10", "NULL"}) << ',' << pick({"0", "1", "3", "NULL"})
            << ",'2020-01-02 00:00:00')";
    }
    db.Exec(sql.str());
}

struct Row {
    double cost, discount, freight, directCost, addSum, addPercent, price, realCost;
    bool addSumNull, addPercentNull;
    long long usertag;
    bool usertagNull;
};

std::map<long long, Row> ReadRows(Connection& c) {
    std::map<long long, Row> rows;
    const QueryResult r = c.Query(QStringLiteral(
        "SELECT id,cost,discount,freight,direct_cost,addsum,addpercent,price,real_cost,usertag "
        "FROM product"));
    for (int i = 0; i < r.RowCount(); ++i) {
        Row row{};
        row.cost = r.Text(i, 1).toDouble();
        row.discount = r.Text(i, 2).toDouble();
        row.freight = r.Text(i, 3).toDouble();
        row.directCost = r.Text(i, 4).toDouble();
        row.addSum = r.Text(i, 5).toDouble();
        row.addSumNull = r.IsNull(i, 5);
        row.addPercent = r.Text(i, 6).toDouble();
        row.addPercentNull = r.IsNull(i, 6);
        row.price = r.Text(i, 7).toDouble();
        row.realCost = r.Text(i, 8).toDouble();
        row.usertag = r.Text(i, 9).toLongLong();
        row.usertagNull = r.IsNull(i, 9);
        rows[r.Text(i, 0).toLongLong()] = row;
    }
    return rows;
}

TEST_F(ProductBulkTest, RecalculationStatementsMatchTheFormulaRowForRow) {
    AddVariedProducts(db_, 400);
    ASSERT_TRUE(OpenProducts());
    const auto before = ReadRows(dm_.connection());
    ASSERT_TRUE(RecalculateProductPrices()) << dm_.LastSqlError().toStdString();
    const auto after = ReadRows(dm_.connection());
    int locked = 0, negative = 0, recalculated = 0;
    for (const auto& [id, b] : before) {
        const Row& a = after.at(id);
        // A NULL input counts as 0 (it reads as 0 here too).
        const bool lockedOrUnknown = b.usertagNull || b.usertag == 1;
        const bool noMarkup =
            (b.addSumNull || b.addSum == 0) && (b.addPercentNull || b.addPercent == 0);
        const bool markup = b.addSum > 0 || b.addPercent > 0;
        if (lockedOrUnknown || (!noMarkup && !markup)) {
            EXPECT_EQ(a.price, b.price) << id;
            EXPECT_EQ(a.realCost, b.realCost) << id;
            (lockedOrUnknown ? locked : negative)++;
            continue;
        }
        ++recalculated;
        const double real = RealCost(b.cost, b.discount, b.freight, b.directCost);
        EXPECT_DOUBLE_EQ(a.realCost, real) << id;
        EXPECT_DOUBLE_EQ(a.price,
                         noMarkup ? b.cost : real + b.addSum + ((real / 100) * b.addPercent))
            << id;
        EXPECT_EQ(Column(id, "user"), "7");
        EXPECT_EQ(Column(id, "lastpriceupdate"), "2020-01-02 00:00:00");
    }
    EXPECT_GT(locked, 10);
    EXPECT_GT(negative, 10);
    EXPECT_GT(recalculated, 100);
}

// The set-based recalculation with rounding against the save rules run product by product
// on an identical copy of the register.
class RoundingRecalculation : public ProductFixture,
                              public ::testing::WithParamInterface<std::pair<bool, bool>> {};

TEST_P(RoundingRecalculation, GivesWhatSavingEachProductGives) {
    ctx_.settings().KroneAvrunding = GetParam().first;
    ctx_.settings().Krone4Avrunding = GetParam().second;
    AddVariedProducts(db_, 300);
    db_.Exec(
        "CREATE TABLE product_copy LIKE product; INSERT INTO product_copy SELECT * FROM product");
    const std::string unlocked =
        db_.Scalar("SELECT GROUP_CONCAT(id) FROM product WHERE COALESCE(usertag,0)=0");
    ASSERT_TRUE(OpenProducts());
    long long lastDone = -1, lastTotal = -1;
    QString someText, lastText = QStringLiteral("?");
    ASSERT_TRUE(
        RecalculateListWithRounding([&](long long done, long long total, const QString& text) {
            lastDone = done;
            lastTotal = total;
            lastText = text;
            if (!text.isEmpty()) someText = text;
        }));
    EXPECT_EQ(lastDone, 300);
    EXPECT_EQ(lastTotal, 300);
    EXPECT_EQ(lastText, QString());
    EXPECT_TRUE(someText.startsWith(QStringLiteral("1299 Vare 299"))) << someText.toStdString();

    Products().SetTableName(QStringLiteral("product_copy"));
    ASSERT_TRUE(OpenProducts());
    int saved = 0;
    for (bool more = Products().First(); more && !Products().Eof(); more = Products().Next()) {
        ASSERT_TRUE(Products().Edit());
        ASSERT_TRUE(SaveProduct(Products())) << Products().LastError().toStdString();
        ++saved;
    }
    EXPECT_EQ(saved, 300);
    const std::string differing = db_.Scalar(
        "SELECT GROUP_CONCAT(a.id) FROM product a JOIN product_copy b USING (id) WHERE NOT ("
        "a.price <=> b.price AND a.real_cost <=> b.real_cost AND a.value <=> b.value AND "
        "a.maxstock <=> b.maxstock AND "
        "a.usertag <=> b.usertag AND a.recalc_id <=> b.recalc_id AND a.user <=> b.user AND "
        "a.usergroup <=> b.usergroup "
        "AND a.lastpriceupdate <=> b.lastpriceupdate)");
    EXPECT_EQ(differing, "NULL");
    // Some prices changed (today's date), some stayed.
    EXPECT_NE(db_.Scalar("SELECT COUNT(*) FROM product WHERE lastpriceupdate='" + kToday + "'"),
              "0");
    EXPECT_NE(db_.Scalar("SELECT COUNT(*) FROM product WHERE lastpriceupdate='2020-01-02'"), "0");
    if (GetParam().first) {
        const std::string fractional = db_.Scalar("SELECT COUNT(*) FROM product WHERE id IN (" +
                                                  unlocked + ") AND price<>TRUNCATE(price,0)");
        EXPECT_EQ(fractional, "0");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Settings, RoundingRecalculation,
    ::testing::Values(std::pair{false, false}, std::pair{true, false}, std::pair{true, true}),
    [](const auto& info) {
        return std::string(info.param.first ? (info.param.second ? "krone4" : "krone") : "off");
    });

TEST_F(ProductBulkTest, RoundingRecalculationKeepsToTheList) {
    ctx_.settings().KroneAvrunding = true;
    const long long inList =
        AddProduct("L1", "productgroup,cost,addsum,value", "'A',100.00000000001,0,100");
    const long long fraction =
        AddProduct("L2", "productgroup,cost,addpercent,value", "'A',100,14.5,100");
    const long long outside = AddProduct("L3", "productgroup,cost,price,addpercent", "'B',10,3,50");
    Products().SetFilterSql(QStringLiteral("productgroup='A'"));
    ASSERT_TRUE(OpenProducts());
    ASSERT_TRUE(RecalculateListWithRounding());
    EXPECT_DOUBLE_EQ(Number(inList, "price"), 100);  // whole after six decimals: not 101
    EXPECT_DOUBLE_EQ(Number(fraction, "price"), 115);
    EXPECT_DOUBLE_EQ(Number(outside, "price"), 3);
    EXPECT_EQ(Column(outside, "user"), "0");
}

TEST_F(ProductBulkTest, StockCommandsKeepOtherWorkstationsChanges) {
    const long long id = AddProduct("S1", "instock", "10");
    const long long nullStock = AddProduct("S2", "instock", "NULL");
    ASSERT_TRUE(OpenProducts());
    ASSERT_TRUE(LocateCode(QStringLiteral("S1")));
    // Another workstation takes 5 out after this list read the row.
    db_.Exec("UPDATE product SET instock=instock-5 WHERE id=" + std::to_string(id));
    ASSERT_TRUE(TakeOneFromStock());
    EXPECT_DOUBLE_EQ(Number(id, "instock"), 4);
    EXPECT_DOUBLE_EQ(Products().AsFloat("instock"), 4);  // the row was read again
    EXPECT_EQ(Products().AsString("productcode"), QStringLiteral("S1"));
    EXPECT_EQ(
        db_.Scalar("SELECT TIMESTAMPDIFF(SECOND, lastsale, NOW()) < 60 FROM product WHERE id=" +
                   std::to_string(id)),
        "1");
    EXPECT_EQ(Column(id, "lastorder"), "0000-00-00 00:00:00");
    db_.Exec("UPDATE product SET instock=instock+10 WHERE id=" + std::to_string(id));
    ASSERT_TRUE(AddOneToStock());
    EXPECT_DOUBLE_EQ(Number(id, "instock"), 15);
    EXPECT_DOUBLE_EQ(Products().AsFloat("instock"), 15);
    EXPECT_NE(Column(id, "lastorder"), "0000-00-00 00:00:00");

    ASSERT_TRUE(LocateCode(QStringLiteral("S2")));
    ASSERT_TRUE(TakeOneFromStock());
    EXPECT_DOUBLE_EQ(Number(nullStock, "instock"), -1);

    // Gone from the database: said so, nothing written.
    db_.Exec("DELETE FROM product WHERE id=" + std::to_string(nullStock));
    ASSERT_TRUE(LocateCode(QStringLiteral("S2")));
    EXPECT_FALSE(AddOneToStock());
    ASSERT_EQ(prompter_->messages().size(), 1u);
    EXPECT_TRUE(
        prompter_->messages()[0].startsWith(QStringLiteral("FEIL: Varen finnes ikke lenger")));
    EXPECT_EQ(db_.Scalar("SELECT COUNT(*) FROM product"), "1");
}

TEST_F(ProductBulkTest, StockResetsNeedTheAdministratorRightAndAsk) {
    const long long id = AddProduct("R1", "instock,inrecentstock", "7,3");
    SetRights(QStringLiteral("product=RWDI;\r\n"));
    ASSERT_TRUE(OpenProducts());
    EXPECT_FALSE(CanResetStock());
    EXPECT_FALSE(ResetStock(StockReset::ToZero));
    ASSERT_EQ(prompter_->messages().size(), 1u);
    EXPECT_EQ(Column(id, "instock"), "7");

    ctx_.logon().UserRights = QStringLiteral("product=RWDIA;\r\n");
    EXPECT_TRUE(CanResetStock());
    prompter_->No().Yes().Yes();
    EXPECT_FALSE(ResetStock(StockReset::ToZero));
    EXPECT_EQ(Column(id, "instock"), "7");
    EXPECT_TRUE(ResetStock(StockReset::AsCounted));
    EXPECT_EQ(Column(id, "inrecentstock"), "7");
    EXPECT_EQ(Column(id, "inrecentstockdate"), kToday + " 00:00:00");
    db_.Exec("UPDATE product SET instock=99 WHERE id=" + std::to_string(id));
    EXPECT_TRUE(ResetStock(StockReset::BackToCounted));
    EXPECT_EQ(Column(id, "instock"), "7");
    EXPECT_DOUBLE_EQ(Products().AsFloat("instock"), 7);
    const auto& events = prompter_->events();
    ASSERT_GE(events.size(), 4u);
    EXPECT_EQ(events[1].text, QStringLiteral("Vil du sette varelageret til 0?"));
    EXPECT_EQ(events[2].text, QStringLiteral("Vil du sette varelageret som opptelt verdi?"));
    EXPECT_EQ(events[3].text,
              QStringLiteral("Vil du sette varelageret tilbake til opptelt verdi?"));
}

TEST_F(ProductBulkTest, EanNumbersFillOnlyMissingOnes) {
    const long long empty = AddProduct("100234", "EAN", "''");
    const long long zero = AddProduct("AB-7", "EAN", "'0'");
    const long long null = AddProduct("[01]07012345678905", "EAN", "NULL");
    const long long kept = AddProduct("X9", "EAN", "'7038010001234'");
    ASSERT_TRUE(OpenProducts());
    EXPECT_EQ(GenerateMissingEanNumbers(), 3);
    EXPECT_EQ(Column(empty, "EAN"), "100234");
    EXPECT_EQ(Column(zero, "EAN"), "AB-7");
    EXPECT_EQ(Column(null, "EAN"), "(01)07012345678905");
    EXPECT_EQ(Column(kept, "EAN"), "7038010001234");
    EXPECT_EQ(GenerateMissingEanNumbers(), 0);
}

TEST_F(ProductBulkTest, CapitalLetterRepairSavesChangedNames) {
    const long long a = AddProduct("C1", "producttext", "'KjØkkenbenk'");
    AddProduct("C2", "producttext", "'BLÅBÆR'");
    const long long c = AddProduct("C3", "producttext", "'RØr og blÅ'");
    AddProduct("C4", "producttext", "NULL");
    ASSERT_TRUE(OpenProducts());
    const int changed = FixCapitalLettersInList();
    EXPECT_EQ(changed, 2);
    EXPECT_EQ(ChangedProductsText(changed), QStringLiteral("2 varer endret"));
    EXPECT_EQ(QString::fromStdString(Column(a, "producttext")), QStringLiteral("Kjøkkenbenk"));
    EXPECT_EQ(QString::fromStdString(Column(c, "producttext")), QStringLiteral("Rør og blå"));
}

TEST_F(ProductBulkTest, NullRowSurvivesEveryBulkCommand) {
    const long long id = AddProduct("NULL-1");
    db_.Exec(
        "UPDATE product SET "
        "cost=NULL,discount=NULL,freight=NULL,direct_cost=NULL,addsum=NULL,addpercent=NULL,"
        "price=NULL,real_cost=NULL,usertag=NULL,value=NULL,instock=NULL,maxstock=NULL,minstock="
        "NULL,recalc_id=NULL,"
        "EAN=NULL,producttext=NULL WHERE id=" +
        std::to_string(id));
    ASSERT_TRUE(OpenProducts());
    EXPECT_TRUE(RecalculateProductPrices());
    EXPECT_TRUE(RecalculateListWithRounding());
    EXPECT_EQ(Column(id, "price"), "0");
    EXPECT_EQ(Column(id, "value"), "100");
    EXPECT_EQ(GenerateMissingEanNumbers(), 1);
    EXPECT_EQ(FixCapitalLettersInList(), 0);
    EXPECT_TRUE(PurchaseProposal().empty());
    EXPECT_TRUE(AddOneToStock());
    EXPECT_EQ(Column(id, "instock"), "1");
    EXPECT_TRUE(prompter_->messages().empty());
}

}  // namespace
