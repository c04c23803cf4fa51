// The product list through its own commands and keys: favourites and stock by keys, the
// quick search and the filters with their captions, the stock resets by the "A" right, the
// EAN numbers, the capital letter repair, the status bar and the open-document commands.
#include <QLabel>
#include <QLineEdit>
#include <QTableView>

#include "ProductWindowsFixture.h"
#include "products/ui/ProductListForm.h"
#include "ui/WindowRegistry.h"

namespace {

class ProductListFormTest : public ProductWindowsFixture {
  protected:
    QString Status(ProductListForm& list, int field) { return list.StatusField(field)->text(); }
};

TEST_F(ProductListFormTest, SpaceTogglesTheFavouriteAndKeypadKeysMoveStockRelatively) {
    const long long id = AddProduct("K1", "instock,cost,price,real_cost,value", "3,10,10,10,100");
    ASSERT_TRUE(OpenProducts());
    ProductListForm list;
    list.show();
    ASSERT_TRUE(LocateCode("K1"));

    PressKey(list.grid(), Qt::Key_Space, " ");
    EXPECT_EQ(Column(id, "user_favorite"), "1");
    EXPECT_EQ(list.model()->CellText(0, 0), "1");
    PressKey(list.grid(), Qt::Key_Space, " ");
    EXPECT_EQ(Column(id, "user_favorite"), "0");

    // Another workstation took 2 meanwhile: nothing of that is lost.
    db_.Exec("UPDATE product SET instock=instock-2 WHERE id=" + std::to_string(id));
    PressKey(list.grid(), Qt::Key_Plus, "+", Qt::KeypadModifier);
    EXPECT_EQ(Column(id, "instock"), "2");
    EXPECT_NE(Column(id, "lastorder"), "NULL");
    db_.Exec("UPDATE product SET instock=instock+10 WHERE id=" + std::to_string(id));
    PressKey(list.grid(), Qt::Key_Minus, "-", Qt::KeypadModifier);
    PressKey(list.grid(), Qt::Key_Minus, "-", Qt::KeypadModifier);
    EXPECT_EQ(Column(id, "instock"), "10");
    EXPECT_NE(Column(id, "lastsale"), "NULL");
    EXPECT_DOUBLE_EQ(Products().AsFloat("instock"), 10);
    // The plus of the main keyboard searches instead.
    PressKey(list.grid(), Qt::Key_Plus, "+");
    EXPECT_EQ(Column(id, "instock"), "10");
    EXPECT_EQ(list.searchBox()->text(), "+");
    EXPECT_TRUE(Messages().isEmpty()) << Said();
}

TEST_F(ProductListFormTest, QuickSearchQuotesTheTextAndShowsItsFilter) {
    AddProduct("150", "producttext", "'O''Brien kabel'");
    AddProduct("300", "producttext", "'50% rabatt'");
    AddProduct("301", "producttext", "'500 skruer'");
    AddProduct("1000", "producttext", "'Lampe'");
    ASSERT_TRUE(OpenProducts());
    ProductListForm list;
    list.show();
    const struct {
        const char* typed;
        QStringList codes;
    } cases[] = {
        {"O'Brien", {"150"}},
        {"50%", {"150", "300", "301"}},
        {"x' OR '1'='1", {}},
        {"😀", {}},
        {"100 - 200", {"1000", "150"}},
    };
    for (const auto& c : cases) {
        prompter_->Input(QString::fromUtf8(c.typed));
        list.Command("Filtrer etter ...")->trigger();
        EXPECT_EQ(Codes(), c.codes) << c.typed;
        EXPECT_EQ(Status(list, 3), Products().FilterSql()) << c.typed;
        EXPECT_EQ(Status(list, 0), "Antall: " + QString::number(c.codes.size())) << c.typed;
    }
    EXPECT_EQ(Status(list, 3), "productcode>='100' and productcode<='200'");
    list.Command("Vis alle")->trigger();
    EXPECT_EQ(Codes().size(), 4);
    EXPECT_EQ(Status(list, 3), "");
    // Only the questions were asked: no failure shown.
    EXPECT_TRUE(Messages().isEmpty()) << Said();
}

TEST_F(ProductListFormTest, FiltersFollowTheCurrentRowsVendorAndGroup) {
    const int acme = AddCompany("Acme O''Hara AS");
    AddProduct("A1", "vendor,productgroup,user_favorite,minstock,instock", std::to_string(acme) + ",'G''1',1,5,1");
    AddProduct("A2", "vendor,user_favorite,web,value,ownproduction,recalc_id",
               std::to_string(acme) + ",0,1,50,1,1");
    AddProduct("B1", "instock,minstock", "4,0");
    ASSERT_TRUE(OpenProducts());
    ProductListForm list;
    list.show();

    ASSERT_TRUE(LocateCode("A1"));
    list.UpdateMenu();
    EXPECT_EQ(list.Command("Favoritter fra")->text(), "Favoritter fra Acme O'Hara AS");
    EXPECT_EQ(list.Command("Leverandør")->text(), "Leverandør Acme O'Hara AS");
    EXPECT_EQ(list.Command("Varer under minimum fra")->text(), "Varer under minimum fra Acme O'Hara AS");
    EXPECT_EQ(list.Command("Varegruppe")->text(), "Varegruppe G'1");
    EXPECT_TRUE(list.Command("Varegruppe")->isVisible());
    const QString vendor = QString::number(acme);
    const struct {
        const char* command;
        QString sql;
        QStringList codes;
    } cases[] = {
        {"Favoritter", "user_favorite=1", {"A1"}},
        {"Favoritter fra", "vendor=" + vendor + " AND user_favorite=1", {"A1"}},
        {"Varegruppe", "productgroup='G\\'1'", {"A1"}},
        {"Leverandør", "vendor=" + vendor, {"A1", "A2"}},
        {"Lagervare", "minstock>0", {"A1"}},
        {"På lager", "instock>0", {"A1", "B1"}},
        {"Lager, på lager og lagervare", "instock>0 OR minstock>0", {"A1", "B1"}},
        {"Varer under minimum", "minstock>instock", {"A1"}},
        {"Varer under minimum fra", "minstock>instock AND vendor=" + vendor, {"A1"}},
        {"Egenproduserte varer", "ownproduction=1", {"A2"}},
        {"Ukurante varer", "value>0 AND value<100", {"A2"}},
        {"I nettbutikken", "web=1", {"A2"}},
        {"Pakker", "recalc_id=1", {"A2"}},
        {"Polulære", "web=1 OR sale=1 OR rwx_all=5", {"A2"}},
        {"Vis alle", "", {"A1", "A2", "B1"}},
    };
    for (const auto& c : cases) {
        list.Command("Vis alle")->trigger();
        ASSERT_TRUE(LocateCode("A1")) << c.command;
        list.Command(c.command)->trigger();
        EXPECT_EQ(Products().FilterSql(), c.sql) << c.command;
        EXPECT_EQ(Codes(), c.codes) << c.command;
        EXPECT_EQ(Status(list, 3), c.sql) << c.command;
    }

    // A row without vendor or group: no group command, no vendor filter.
    ASSERT_TRUE(LocateCode("B1"));
    list.UpdateMenu();
    EXPECT_FALSE(list.Command("Varegruppe")->isVisible());
    EXPECT_FALSE(list.Command("Leverandør")->isEnabled());

    // "Velg leverandør ...": the chosen vendor, nothing when the chooser is closed.
    int chosen = acme;
    list.SetVendorChooser([&](QWidget*) { return chosen; });
    list.Command("Velg leverandør ...")->trigger();
    EXPECT_EQ(Products().FilterSql(), "vendor=" + vendor);
    list.Command("Vis alle")->trigger();
    chosen = -1;
    list.Command("Velg leverandør ...")->trigger();
    EXPECT_EQ(Products().FilterSql(), "");
    EXPECT_TRUE(Messages().isEmpty()) << Said();
}

TEST_F(ProductListFormTest, StockResetsNeedTheARightAndAskFirst) {
    const long long id = AddProduct("S1", "instock,inrecentstock", "7,4");
    ASSERT_TRUE(OpenProducts());
    const char* const resets[] = {"Sett varelager tilbake til opptelt verdi", "Sett varelager til 0",
                                  "Sett varelager som opptelt verdi"};
    {
        SetRights("product=RWDI;\r\n");
        ProductListForm list;
        list.show();
        for (const char* command : resets) EXPECT_FALSE(list.Command(command)->isEnabled()) << command;
        EXPECT_FALSE(list.Command("Prisjustering")->isEnabled());
        EXPECT_FALSE(list.Command("Importer prisliste")->isEnabled());
        EXPECT_TRUE(list.Command("Prisjustering på vekt")->isEnabled());
        // Even run directly, nothing happens without the right.
        list.ResetStockCommand(StockReset::ToZero);
        EXPECT_EQ(Column(id, "instock"), "7");
        ASSERT_EQ(Messages().size(), 1);
        EXPECT_TRUE(Messages()[0].startsWith("FEIL: ")) << Said();
    }
    prompter_->ClearEvents();
    SetRights("product=RWDIA;\r\n");
    ProductListForm list;
    list.show();
    for (const char* command : resets) EXPECT_TRUE(list.Command(command)->isEnabled()) << command;

    prompter_->No();
    list.Command("Sett varelager til 0")->trigger();
    EXPECT_EQ(Column(id, "instock"), "7");
    prompter_->Yes();
    list.Command("Sett varelager tilbake til opptelt verdi")->trigger();
    EXPECT_EQ(Column(id, "instock"), "4");
    EXPECT_EQ(Status(list, 1), "Endret: 1");
    db_.Exec("UPDATE product SET instock=9");
    prompter_->Yes();
    list.Command("Sett varelager som opptelt verdi")->trigger();
    EXPECT_EQ(Column(id, "inrecentstock"), "9");
    EXPECT_NE(Column(id, "inrecentstockdate"), "NULL");
    prompter_->Yes();
    list.Command("Sett varelager til 0")->trigger();
    EXPECT_EQ(Column(id, "instock"), "0");
    // The list shows what the statements left.
    EXPECT_DOUBLE_EQ(Products().AsFloat("instock"), 0);
    ASSERT_EQ(prompter_->events().size(), 4u);
    EXPECT_EQ(prompter_->events()[0].text, "Vil du sette varelageret til 0?");
    EXPECT_EQ(prompter_->events()[1].text, "Vil du sette varelageret tilbake til opptelt verdi?");
    EXPECT_EQ(prompter_->events()[2].text, "Vil du sette varelageret som opptelt verdi?");
}

TEST_F(ProductListFormTest, EanNumbersCapitalLettersAndRecalculation) {
    const long long empty = AddProduct("7012345", "EAN,producttext", "'','SKRUE MØTRIK'");
    const long long zero = AddProduct("AB-12", "EAN,producttext", "'0','Brød og smØr'");
    const long long kept = AddProduct("X1", "EAN,producttext,cost,addpercent", "'123','BlÅbær',100,20");
    ASSERT_TRUE(OpenProducts());
    ProductListForm list;
    list.show();

    list.Command("Generer EAN-nummer")->trigger();
    EXPECT_EQ(Column(empty, "EAN"), "7012345");
    EXPECT_EQ(Column(zero, "EAN"), "AB-12");
    EXPECT_EQ(Column(kept, "EAN"), "123");
    EXPECT_EQ(Status(list, 1), "Endret: 2");

    list.Command("Fiks stor ÆØÅ")->trigger();
    EXPECT_EQ(Column(empty, "producttext"), "SKRUE MØTRIK");
    EXPECT_EQ(Column(zero, "producttext"), "Brød og smør");
    EXPECT_EQ(Column(kept, "producttext"), "Blåbær");
    EXPECT_EQ(Status(list, 0), "2 varer endret");
    // The next command shows the count again.
    list.Command("Vis alle")->trigger();
    EXPECT_EQ(Status(list, 0), "Antall: 3");

    list.Command("Rekalkuler alle varer")->trigger();
    EXPECT_EQ(Column(kept, "price"), "120");
    db_.Exec("UPDATE product SET price=0, cost=114.5, addpercent=0 WHERE id=" + std::to_string(kept));
    ctx_.settings().KroneAvrunding = true;
    list.Command("Rekalkuler alle varer med kroneavrunding")->trigger();
    EXPECT_EQ(Column(kept, "price"), "115");
    // The progress text is gone at the end.
    EXPECT_EQ(Status(list, 3), "");
    EXPECT_TRUE(Messages().isEmpty()) << Said();
}

TEST_F(ProductListFormTest, StatusBarSortingAndTypeAhead) {
    const int b = AddCompany("Bravo");
    const int a = AddCompany("Alfa");
    AddProduct("P2", "producttext,price,vendor,vendorid", "'Mutter',5," + std::to_string(a) + ",'Z9'");
    AddProduct("P10", "producttext,price,vendor,vendorid", "'Bolt',50," + std::to_string(b) + ",'A1'");
    AddProduct("Q1", "producttext,price", "'Skive',1");
    ASSERT_TRUE(OpenProducts());
    ProductListForm list;
    list.show();
    EXPECT_EQ(list.windowTitle(), "Vareliste (product)");
    EXPECT_EQ(Status(list, 0), "Antall: 3");
    EXPECT_EQ(Status(list, 2), "Sortering: varenummer");

    const struct {
        const char* field;
        const char* sortName;
        QStringList codes;
    } cases[] = {
        {"producttext", "varetekst", {"P10", "P2", "Q1"}},
        {"price", "pris", {"Q1", "P2", "P10"}},
        {"price", "pris", {"P10", "P2", "Q1"}},  // again: descending
        {"product_companyname", "vendorid", {"Q1", "P10", "P2"}},
        {"real_cost", "kostpris", {"P2", "P10", "Q1"}},  // all equal: by id
        {"EAN", "EAN", {"P2", "P10", "Q1"}},
        {"productcode", "varenummer", {"P10", "P2", "Q1"}},
    };
    for (const auto& c : cases) {
        list.model()->RequestSort(list.model()->ColumnOf(c.field));
        EXPECT_EQ(Status(list, 2), QString("Sortering: ") + QString::fromUtf8(c.sortName)) << c.field;
        EXPECT_EQ(Codes(), c.codes) << c.field;
    }
    // Type-ahead on the product number, without regard to case.
    EXPECT_TRUE(list.TypeAhead("q"));
    EXPECT_EQ(Products().AsString("productcode"), "Q1");
    EXPECT_TRUE(list.TypeAhead("p2"));
    EXPECT_EQ(Products().AsString("productcode"), "P2");

    // The grid's titles and formats.
    EXPECT_EQ(list.model()->headerData(0, Qt::Horizontal).toString(), ".");
    EXPECT_EQ(list.model()->headerData(list.model()->ColumnOf("product_companyname"), Qt::Horizontal).toString(),
              "Leverandør");
    // Every row shows its vendor and its price with VAT, not only the current one.
    ASSERT_TRUE(LocateCode("Q1"));
    EXPECT_EQ(list.CellText(0, "PriceInclVAT"), "62.50");
    EXPECT_EQ(list.CellText(0, "product_companyname"), "Bravo");
    EXPECT_EQ(list.CellText(1, "product_companyname"), "Alfa");
    EXPECT_EQ(list.CellText(2, "product_companyname"), "");
    EXPECT_EQ(list.CellText(2, "PriceInclVAT"), "1.25");
    EXPECT_EQ(list.CellText(0, "price"), "50.00");
}

TEST_F(ProductListFormTest, LaterWindowsAndTheOpenDocumentCommands) {
    AddProduct("L1");
    ASSERT_TRUE(OpenProducts());
    ProductListForm list;
    list.show();
    for (const char* command : {"Utskrift av lister", "Utskrift av etikett", "Varegrupper og utvalg ...",
                                "Varetransaksjoner", "Varelagerstatus", "Vareforbruk", "Prisjustering på vekt",
                                "Skift til annet lager", "Oppdater lager fra håndterminal", "Dokumenter"}) {
        prompter_->ClearEvents();
        list.Command(command)->trigger();
        EXPECT_EQ(Messages(), QStringList{"Varlokken 6: Kommer i en senere versjon"}) << command;
    }
    EXPECT_EQ(list.Command("Utskrift av etikett")->shortcut(), QKeySequence(Qt::Key_F8));
    EXPECT_EQ(list.Command("Oppdater lager fra håndterminal")->shortcut(), QKeySequence(Qt::Key_F4));
    EXPECT_EQ(list.Command("Varegrupper og utvalg ...")->shortcut(), QKeySequence("Ctrl+Alt+F"));
    EXPECT_EQ(list.Command("Hovedmeny")->shortcut(), QKeySequence(Qt::Key_F10));

    // Shown while a document window shows a record; the purchase order names the caption.
    OpenDocumentIds open;
    list.SetOpenDocuments([&] { return open; });
    list.UpdateMenu();
    EXPECT_FALSE(list.Command("Hent til ordre")->isVisible());
    EXPECT_FALSE(list.Command("Hent alle til bestilling")->isVisible());
    db_.Exec("INSERT INTO orders (ordernumber) VALUES (5001); INSERT INTO po (ordernumber) VALUES (9001)");
    dm_.LookupQuery(Lookup::Orders).Open();
    dm_.LookupQuery(Lookup::Purchases).Open();
    open.orderId = std::stoi(db_.Scalar("SELECT id FROM orders"));
    list.UpdateMenu();
    EXPECT_TRUE(list.Command("Hent til ordre")->isVisible());
    EXPECT_EQ(list.Command("Hent til ordre")->text(), "Hent til ordre 5001");
    EXPECT_FALSE(list.Command("Hent alle til bestilling")->isVisible());
    open.poId = std::stoi(db_.Scalar("SELECT id FROM po"));
    list.UpdateMenu();
    EXPECT_EQ(list.Command("Hent til ordre")->text(), "Hent til bestilling 9001");
    EXPECT_EQ(list.Command("Hent alle til bestilling")->text(), "Hent alle til bestilling 9001");
    EXPECT_TRUE(list.Command("Hent alle til bestilling")->isVisible());

    // Registered by name; "new" shows the list with a new row.
    list.hide();
    EXPECT_TRUE(ShowWindow("ProductListForm", "new"));
    EXPECT_TRUE(list.isVisible());
    EXPECT_EQ(Products().State(), DatasetState::Insert);
    Products().Cancel();
}

}  // namespace
