// The company list's rules on the server: searches with awkward names, the fixed filters,
// failing statements, colours, the address block and the postal place of the window.
#include <QFile>

#include "CrmFixture.h"
#include "crm/CompanyRules.h"
#include "crm/PostalPlace.h"

namespace {

class CompanyRulesTest : public CrmFixture {
  protected:
    void SetUp() override {
        // Names that break SQL built by pasting text.
        AddCompany("O'Brien & Co AS", ", city", ", 'DUBLIN'");
        AddCompany("Back\\slash Bygg AS", ", streetaddress", ", 'C:\\\\temp'");
        AddCompany("100% Rør AS", ", postalcode, customer", ", '0150', 1");
        AddCompany("Under_score DA", ", object_text, vendor", ", 'notat med \"sitat\"', 1");
        AddCompany("Rxr Handel AS", ", postaladdress, partner", ", 'Postboks 5', 1");
        AddCompany(QString::fromUtf8("Ærlig Ørn Å"), ", equipvendor, blacklisted", ", 1, 1");
        ASSERT_TRUE(dm_.OpenTableWithRights(dm_.CompanyTable(), false, false));
    }
    QStringList Names() { return Column(dm_.CompanyTable(), "companyname"); }
};

TEST_F(CompanyRulesTest, EverySearchQuotesTheTextAndKeepsTheWildcards) {
    const struct {
        QString text;
        QStringList names;
    } cases[] = {
        {"'", {"O'Brien & Co AS"}},
        {"o'b", {"O'Brien & Co AS"}},
        {"\\", {"Back\\slash Bygg AS"}},  // in the name and in the street address
        {"temp", {"Back\\slash Bygg AS"}},
        {"\"sitat\"", {"Under_score DA"}},  // object_text
        {"' OR 1=1 OR '", {}},
        {"%",
         {"100% Rør AS", "Back\\slash Bygg AS", "O'Brien & Co AS", "Rxr Handel AS",
          "Under_score DA", QString::fromUtf8("Ærlig Ørn Å")}},
        {"100%", {"100% Rør AS"}},
        {"r_r", {"100% Rør AS", "Rxr Handel AS"}},  // "_" is any one character
        {"0150", {"100% Rør AS"}},                  // postalcode
        {"dublin", {"O'Brien & Co AS"}},            // city, case ignored
        {"postboks", {"Rxr Handel AS"}},            // postal address
        {QString::fromUtf8("ørn"), {QString::fromUtf8("Ærlig Ørn Å")}},
        {QString::fromUtf8("😀"), {}},  // no Latin-1 row can hold it
        {QString::fromUtf8("Rør 😀"), {}},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(FilterCompanies(c.text)) << c.text.toStdString();
        QStringList got = Names();
        got.sort();
        QStringList want = c.names;
        want.sort();
        EXPECT_EQ(got, want) << c.text.toStdString();
        EXPECT_TRUE(dm_.CompanyTable().Filtered());
    }
    EXPECT_TRUE(Messages().empty());
}

TEST_F(CompanyRulesTest, TheFilterAsksForTheTextAndAnEmptyAnswerKeepsThePreviousFilter) {
    prompter_->Input("o'brien").Input("").CancelInput();
    EXPECT_TRUE(AskAndFilterCompanies());
    ASSERT_EQ(prompter_->events().at(0).text, QString::fromUtf8("Søk etter:"));
    const QString filter = dm_.CompanyTable().FilterSql();
    EXPECT_EQ(Names(), QStringList{"O'Brien & Co AS"});
    EXPECT_FALSE(AskAndFilterCompanies());
    EXPECT_FALSE(AskAndFilterCompanies());
    EXPECT_EQ(dm_.CompanyTable().FilterSql(), filter);
    EXPECT_EQ(Names(), QStringList{"O'Brien & Co AS"});
}

TEST_F(CompanyRulesTest, TheFixedFiltersAndShowAll) {
    const struct {
        CompanyKind kind;
        const char* filter;
        QStringList names;
    } cases[] = {
        {CompanyKind::Customers, "customer=1", {"100% Rør AS"}},
        {CompanyKind::Vendors, "vendor=1", {"Under_score DA"}},
        {CompanyKind::EquipmentVendors, "equipvendor=1", {QString::fromUtf8("Ærlig Ørn Å")}},
        {CompanyKind::Partners, "partner=1", {"Rxr Handel AS"}},
        {CompanyKind::Blacklisted, "blacklisted=1", {QString::fromUtf8("Ærlig Ørn Å")}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CompanyKindFilter(c.kind), c.filter);
        ASSERT_TRUE(FilterCompaniesBy(c.kind));
        EXPECT_EQ(Names(), c.names) << c.filter;
    }
    ASSERT_TRUE(ShowAllCompanies());
    EXPECT_EQ(dm_.CompanyTable().FilterSql(), "");
    EXPECT_FALSE(dm_.CompanyTable().Filtered());
    EXPECT_EQ(Names().size(), 6);
}

TEST_F(CompanyRulesTest, AFilterTheServerRefusesIsShownAndThePreviousFilterStays) {
    ASSERT_TRUE(FilterCompaniesBy(CompanyKind::Customers));
    EXPECT_FALSE(SetCompanyFilter("nosuchcolumn=1"));
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_TRUE(Messages()[0].startsWith("FEIL: Kan ikke filtrere firmaene:\n"))
        << Messages()[0].toStdString();
    EXPECT_TRUE(Messages()[0].contains("nosuchcolumn")) << Messages()[0].toStdString();
    EXPECT_TRUE(dm_.CompanyTable().IsActive());
    EXPECT_EQ(dm_.CompanyTable().FilterSql(), "customer=1");
    EXPECT_EQ(Names(), QStringList{"100% Rør AS"});
}

TEST_F(CompanyRulesTest, ClickingATitleSortsByThatColumn) {
    ASSERT_TRUE(SortCompanies("postalcode"));
    EXPECT_EQ(dm_.CompanyTable().TextAt(dm_.CompanyTable().RecordCount() - 1, "companyname"),
              "100% Rør AS");
    EXPECT_FALSE(SortCompanies("nosuch; DROP TABLE company"));
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM company"), "6");
}

TEST_F(CompanyRulesTest, RowColoursFollowPartnerThenEquipmentVendorThenBlacklisted) {
    const struct {
        int partner, equip, black;
        CompanyRowColour colour;
    } cases[] = {
        {0, 0, 0, CompanyRowColour::Normal}, {1, 0, 0, CompanyRowColour::Green},
        {0, 1, 0, CompanyRowColour::Blue},   {1, 1, 0, CompanyRowColour::Blue},
        {0, 0, 1, CompanyRowColour::Red},    {1, 1, 1, CompanyRowColour::Red},
    };
    Table& t = dm_.CompanyTable();
    for (const auto& c : cases) {
        ASSERT_TRUE(t.First());
        ASSERT_TRUE(t.Edit());
        t.SetInteger("partner", c.partner);
        t.SetInteger("equipvendor", c.equip);
        t.SetInteger("blacklisted", c.black);
        EXPECT_EQ(RowColourOf(t), c.colour) << c.partner << c.equip << c.black;
        t.Cancel();
    }
}

TEST_F(CompanyRulesTest, TheAddressBlockHasThreeLinesWithoutThePostalAddress) {
    Table& t = dm_.CompanyTable();
    ASSERT_TRUE(t.Locate("companyname", "Rxr Handel AS"));
    EXPECT_EQ(CompanyAddressBlock(t), "Rxr Handel AS\r\n\r\n ");
    ASSERT_TRUE(t.Edit());
    t.SetString("streetaddress", "Kaigata 1");
    t.SetString("postalcode", "5003");
    t.SetString("city", "BERGEN");
    EXPECT_EQ(CompanyAddressBlock(t), "Rxr Handel AS\r\nKaigata 1\r\n5003 BERGEN");
    t.Cancel();
    EXPECT_EQ(CompanyWindowCaption(t), "Firmadata [" + t.AsString("id") + "]");
}

TEST_F(CompanyRulesTest, TheIniButtonShowsOnTheOwnCompanyForUsersAdministrators) {
    Table& t = dm_.CompanyTable();
    ASSERT_TRUE(t.First());
    ctx_.logon().CurrentCompanyId = static_cast<int>(t.AsInteger("id"));
    EXPECT_TRUE(ShowsCompanyIniButton(t));
    ctx_.logon().AdminMode = false;
    ctx_.logon().UserRights = "users=RW;company=RW";
    EXPECT_FALSE(ShowsCompanyIniButton(t));
    ctx_.logon().UserRights = "users=RWA;company=RW";
    EXPECT_TRUE(ShowsCompanyIniButton(t));
    ASSERT_TRUE(t.Next());
    EXPECT_FALSE(ShowsCompanyIniButton(t));
}

TEST_F(CompanyRulesTest, ClosingTheListEndsTheAddressChooserAndRemovesTheFilter) {
    crm_.SetAddressChooserMode(true);
    ASSERT_TRUE(FilterCompanies("AS"));
    CompanyListClosed();
    EXPECT_FALSE(crm_.AddressChooserMode());
    EXPECT_EQ(dm_.CompanyTable().FilterSql(), "");
    EXPECT_EQ(Names().size(), 6);
}

// Leaving the postal code field of the company window.
TEST_F(CompanyRulesTest, ThePostalPlaceIsWrittenOnlyForFourCharactersAndNeverFromAMissingRegister) {
    Table& t = dm_.CompanyTable();
    ASSERT_TRUE(t.Locate("companyname", "O'Brien & Co AS"));

    // Not editing: nothing.
    EXPECT_EQ(ApplyPostalPlace(t), PostalPlaceResult::Unchanged);

    // The register is missing: the place stays, and the user is told once.
    ASSERT_TRUE(t.Edit());
    t.SetString("postalcode", "0150");
    EXPECT_EQ(ApplyPostalPlace(t), PostalPlaceResult::RegisterMissing);
    EXPECT_EQ(t.AsString("city"), "DUBLIN");
    t.SetString("postalcode", "5003");
    EXPECT_EQ(ApplyPostalPlace(t), PostalPlaceResult::RegisterMissing);
    EXPECT_EQ(t.AsString("city"), "DUBLIN");
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_TRUE(Messages()[0].startsWith("Postnummer: Finner ikke postnummerregisteret (" +
                                         ImportFolder() + "postnummer.txt)"))
        << Messages()[0].toStdString();

    {
        QFile f(ImportFolder() + "postnummer.txt");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("0150\tOSLO\t0301\tOSLO\tG\n5003\tBERGEN\t1201\tBERGEN\tG\n");
    }
    const struct {
        const char* code;
        const char* city;
        PostalPlaceResult result;
    } cases[] = {
        {"0150", "OSLO", PostalPlaceResult::Written},
        {"015", "OSLO", PostalPlaceResult::Unchanged},    // three characters: left alone
        {"50031", "OSLO", PostalPlaceResult::Unchanged},  // five
        {"5003", "BERGEN", PostalPlaceResult::Written},
        {"9999", "", PostalPlaceResult::Written},  // not in the register: an empty place
    };
    for (const auto& c : cases) {
        t.SetString("postalcode", c.code);
        EXPECT_EQ(ApplyPostalPlace(t), c.result) << c.code;
        EXPECT_EQ(t.AsString("city"), c.city) << c.code;
    }
    ASSERT_TRUE(t.Post());
    EXPECT_EQ(Scalar("SELECT city FROM company WHERE companyname LIKE 'O''Brien%'"), "");

    // Missing again later: said again, once.
    ASSERT_TRUE(QFile::remove(ImportFolder() + "postnummer.txt"));
    ASSERT_TRUE(t.Edit());
    t.SetString("postalcode", "0150");
    t.SetString("city", "OSLO");
    EXPECT_EQ(ApplyPostalPlace(t), PostalPlaceResult::RegisterMissing);
    EXPECT_EQ(ApplyPostalPlace(t), PostalPlaceResult::RegisterMissing);
    EXPECT_EQ(t.AsString("city"), "OSLO");
    EXPECT_EQ(Messages().size(), 2u);
    t.Cancel();
}

}  // namespace
