// The company list through its own commands: searches with awkward text, a failing filter,
// the kind filters, row colours, sorting, type-ahead, a new company, deleting, closing, the
// address chooser and copying an address into the open document.
#include <QAction>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QStatusBar>
#include <QTableView>
#include <QToolButton>

#include "CrmWindowsFixture.h"
#include "crm/CompanyRules.h"
#include "crm/DocumentCompany.h"
#include "crm/ui/CompanyDataForm.h"
#include "crm/ui/CompanyListForm.h"
#include "data/DataModule.h"
#include "ui/DbLineEdit.h"
#include "ui/WindowRegistry.h"

namespace {

const QString kLater = QStringLiteral("Varlokken 6: Kommer i en senere versjon");

class CompanyListFormTest : public CrmWindowsFixture {
  protected:
    void SetUp() override {
        const QString cols = ", customer, vendor, equipvendor, partner, blacklisted, streetaddress, postalcode, city";
        bygg_ = AddCompany("Bygg & Betong AS", cols, ", 1, 0, 0, 0, 0, 'Industrivegen 4', '2000', 'LILLESTRØM'");
        ohara_ = AddCompany("O'Hara Rør AS", cols, ", 0, 1, 0, 0, 0, 'Kaigata 1', '5003', 'BERGEN'");
        AddCompany("Per \\ Backe Elektro", cols, ", 1, 0, 0, 0, 0, 'Storgata 2', '0150', 'OSLO'");
        AddCompany("100% Maling AS", cols, ", 0, 0, 0, 1, 0, '', '7010', 'TRONDHEIM'");
        AddCompany("Utstyr Utleie AS", cols, ", 0, 1, 1, 0, 0, 'Verkstedveien 9', '4006', 'STAVANGER'");
        AddCompany("Svarte Får AS", cols, ", 1, 0, 0, 1, 1, 'Bakgården 13', '9008', 'TROMSØ'");
        AddCompany("Åsen Partner AS", cols, ", 0, 0, 1, 1, 0, 'Åsveien 3', '1300', 'SANDVIKA'");
        list_.show();
    }
    QStringList Names() {
        Table& t = dm_.CompanyTable();
        return t.IsActive() ? Column(t, "companyname") : QStringList{"<closed>"};
    }
    QStringList All() {
        QStringList out;
        for (const QString& n : ScalarText("SELECT GROUP_CONCAT(companyname ORDER BY companyname SEPARATOR '|') "
                                           "FROM company")
                                    .split('|'))
            out << n;
        return out;
    }
    void Run(const char* command) {
        QAction* a = list_.Command(QString::fromUtf8(command));
        ASSERT_NE(a, nullptr) << command;
        a->trigger();
    }
    QString Current() { return dm_.CompanyTable().AsString("companyname"); }
    // An order, offer, invoice or purchase order with an address, open in its table.
    int OpenDocument(DocumentKind kind, const QString& address) {
        Table& t = DocumentTableOf(kind);
        Exec("INSERT INTO " + t.TableName() + " (ordernumber, deliveryaddress) VALUES (1, " +
             dm_.connection().Quote(address) + ")");
        t.SetFilterSql(QString());
        EXPECT_TRUE(dm_.OpenTableWithRights(t, false, false));
        t.Last();
        return static_cast<int>(t.AsInteger("id"));
    }

    int bygg_ = 0;
    int ohara_ = 0;
    OpenDocumentIds open_;
    CompanyListForm list_;
    CompanyDataForm data_;
};

TEST_F(CompanyListFormTest, TheListShowsEveryCompanyWithItsColumnsAndCount) {
    EXPECT_EQ(list_.windowTitle(), "Firmaer");
    EXPECT_EQ(Names(), All());
    ASSERT_EQ(Names().size(), 7);
    QStringList titles;
    for (int c = 0; c < list_.model()->columnCount(); ++c)
        titles << list_.model()->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(titles, (QStringList{"Firmanavn", "Telefon", "Telefax", "Epost", "Hjemmeside", "org. nr.", "Postnr.",
                                   "Poststed"}));
    QStringList status;
    for (auto* label : list_.statusBar()->findChildren<QLabel*>()) status << label->text();
    EXPECT_TRUE(status.contains("7 poster")) << status.join(" | ").toStdString();
    EXPECT_TRUE(Messages().isEmpty()) << Messages().join(" | ").toStdString();
}

TEST_F(CompanyListFormTest, TheFilterQuotesWhatWasTypedAndAnEmptyAnswerChangesNothing) {
    const struct {
        QString typed;
        QStringList names;
    } cases[] = {
        {"'", {"O'Hara Rør AS"}},
        {"\\", {"Per \\ Backe Elektro"}},
        {"100%", {"100% Maling AS"}},
        {"%", All()},
        {"TROMSØ", {"Svarte Får AS"}},  // the city is searched too
        {"😀", {}},                     // latin1 names hold none: it finds nothing
        {"') OR ('1'='1", {}},
    };
    for (const auto& c : cases) {
        prompter_->Input(c.typed);
        Run("Filter");
        EXPECT_EQ(Names(), c.names) << c.typed.toStdString();
    }
    EXPECT_EQ(prompter_->events()[0].text, "Søk etter:");
    EXPECT_TRUE(Messages().isEmpty()) << Messages().join(" | ").toStdString();

    prompter_->Input("Rør");
    Run("Filtrer etter ...");
    const QString filter = dm_.CompanyTable().FilterSql();
    prompter_->Input("");
    Run("Filter");
    prompter_->CancelInput();
    Run("Filter");
    EXPECT_EQ(dm_.CompanyTable().FilterSql(), filter);
    EXPECT_EQ(Names(), QStringList{"O'Hara Rør AS"});
}

TEST_F(CompanyListFormTest, AFailingFilterSaysSoAndKeepsTheList) {
    Run("Kunder");
    const QString filter = dm_.CompanyTable().FilterSql();
    // A search column the server no longer has.
    Exec("ALTER TABLE company DROP COLUMN object_text");
    prompter_->Input("AS");
    Run("Filter");
    ASSERT_EQ(Messages().size(), 1);
    EXPECT_TRUE(Messages()[0].startsWith("FEIL: Kan ikke filtrere firmaene:")) << Messages()[0].toStdString();
    EXPECT_EQ(dm_.CompanyTable().FilterSql(), filter);
    EXPECT_EQ(Names(), (QStringList{"Bygg & Betong AS", "Per \\ Backe Elektro", "Svarte Får AS"}));
}

TEST_F(CompanyListFormTest, TheKindFiltersAndShowAll) {
    const struct {
        const char* command;
        QStringList names;
    } cases[] = {
        {"Kunder", {"Bygg & Betong AS", "Per \\ Backe Elektro", "Svarte Får AS"}},
        {"Leverandører", {"O'Hara Rør AS", "Utstyr Utleie AS"}},
        {"Utstyrleverandører", {"Utstyr Utleie AS", "Åsen Partner AS"}},
        {"Avtale eller partner", {"100% Maling AS", "Svarte Får AS", "Åsen Partner AS"}},
        {"Svartelistet", {"Svarte Får AS"}},
        {"Vis alle", All()},
    };
    for (const auto& c : cases) {
        Run(c.command);
        EXPECT_EQ(Names(), c.names) << c.command;
    }
    EXPECT_EQ(dm_.CompanyTable().FilterSql(), "");
    EXPECT_TRUE(Messages().isEmpty()) << Messages().join(" | ").toStdString();
}

TEST_F(CompanyListFormTest, RowsAreColouredByKindTheLaterColourWinning) {
    const QColor green(0, 130, 0), blue(0, 0, 210), red(200, 0, 0);
    const struct {
        const char* name;
        QColor colour;  // invalid: the grid's own
    } cases[] = {
        {"Bygg & Betong AS", QColor()}, {"O'Hara Rør AS", QColor()},    {"100% Maling AS", green},
        {"Utstyr Utleie AS", blue},     {"Åsen Partner AS", blue},      // partner and equipment vendor
        {"Svarte Får AS", red},                                         // partner and blacklisted
    };
    Table& t = dm_.CompanyTable();
    for (const auto& c : cases) {
        const int row = t.FindRow("companyname", QString::fromUtf8(c.name));
        ASSERT_GE(row, 0) << c.name;
        EXPECT_EQ(list_.RowTextColour(row), c.colour) << c.name;
    }
    // The same as the register's rule, row by row.
    for (int row = 0; row < t.RecordCount(); ++row) {
        ASSERT_TRUE(t.SetRecNo(row + 1));
        const CompanyRowColour rule = RowColourOf(t);
        const QColor shown = list_.RowTextColour(row);
        const QColor want = rule == CompanyRowColour::Green ? green
                            : rule == CompanyRowColour::Blue ? blue
                            : rule == CompanyRowColour::Red  ? red
                                                             : QColor();
        EXPECT_EQ(shown, want) << Current().toStdString();
    }
}

TEST_F(CompanyListFormTest, ATitleClickSortsByThatColumnAndTypingFindsAName) {
    QHeaderView* header = list_.grid()->horizontalHeader();
    emit header->sectionClicked(list_.model()->ColumnOf("city"));
    EXPECT_EQ(Column(dm_.CompanyTable(), "city"),
              ScalarText("SELECT GROUP_CONCAT(city ORDER BY city SEPARATOR '|') FROM company").split('|'));
    EXPECT_EQ(Column(dm_.CompanyTable(), "city").first(), "BERGEN");
    emit header->sectionClicked(list_.model()->ColumnOf("companyname"));
    EXPECT_EQ(Names(), All());

    const struct {
        const char* typed;
        bool found;
        const char* current;
    } cases[] = {
        {"o'h", true, "O'Hara Rør AS"},
        {"PER \\", true, "Per \\ Backe Elektro"},
        {"100%", true, "100% Maling AS"},
        {"åse", true, "Åsen Partner AS"},
        {"x", false, "Åsen Partner AS"},
    };
    for (const auto& c : cases) {
        list_.searchBox()->setText(QString::fromUtf8(c.typed));
        emit list_.searchBox()->textEdited(list_.searchBox()->text());
        EXPECT_EQ(Current(), QString::fromUtf8(c.current)) << c.typed;
        EXPECT_EQ(list_.TypeAhead(QString::fromUtf8(c.typed)), c.found) << c.typed;
    }
    // Typing in the grid goes to the search box.
    PressKey(list_.grid(), Qt::Key_S, Qt::NoModifier, "s");
    EXPECT_EQ(list_.searchBox()->text(), "s");
    EXPECT_EQ(Current(), "Svarte Får AS");
}

TEST_F(CompanyListFormTest, ANewCompanyIsSavedWithTheUserAndGroup) {
    QAction* add = list_.Command("Nytt firma");
    ASSERT_NE(add, nullptr);
    EXPECT_EQ(add, list_.Command("Ny"));
    EXPECT_EQ(add->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
    add->trigger();
    ASSERT_TRUE(data_.isVisible());
    EXPECT_EQ(data_.windowTitle(), "Firmadata []");
    ASSERT_TRUE(data_.Field<DbLineEdit>("companyname")->SetUserText("Nytt O'Firma \\ 50% AS"));
    data_.Command("Lagre")->trigger();
    EXPECT_TRUE(Messages().isEmpty()) << Messages().join(" | ").toStdString();
    const QString id = ScalarText("SELECT id FROM company WHERE companyname='Nytt O''Firma \\\\ 50% AS'");
    ASSERT_FALSE(id.isEmpty());
    EXPECT_EQ(ScalarText("SELECT CONCAT(user, '/', usergroup, '/', rwx_all) FROM company WHERE id=" + id), "3/2/0");
    EXPECT_EQ(data_.windowTitle(), "Firmadata [" + id + "]");
    EXPECT_EQ(Names().size(), 8);

    // Shown by name with "new".
    data_.close();
    list_.close();
    ASSERT_TRUE(ShowWindow("CompanyListForm", "new"));
    EXPECT_TRUE(list_.isVisible());
    EXPECT_TRUE(data_.isVisible());
    EXPECT_EQ(dm_.CompanyTable().State(), DatasetState::Insert);
    data_.Command("Avbryt")->trigger();
    EXPECT_EQ(ScalarText("SELECT COUNT(*) FROM company"), "8");
}

TEST_F(CompanyListFormTest, TheCommandsCarryTheirShortcutsAndTheMenuHoldsThemAll) {
    const Qt::Key ctrl = Qt::Key(Qt::CTRL);
    const struct {
        const char* command;
        QKeySequence key;
    } cases[] = {
        {"Nytt firma", QKeySequence(ctrl | Qt::Key_N)}, {"Rediger", QKeySequence(ctrl | Qt::Key_Return)},
        {"Slett", QKeySequence(ctrl | Qt::Key_Delete)},  {"Oppdater", QKeySequence(Qt::Key_F5)},
        {"Filter", QKeySequence(ctrl | Qt::Key_F)},      {"Vis alle", QKeySequence(ctrl | Qt::Key_A)},
        {"Hovedmeny", QKeySequence(Qt::Key_F10)},
    };
    for (const auto& c : cases) {
        QAction* a = list_.Command(c.command);
        ASSERT_NE(a, nullptr) << c.command;
        EXPECT_EQ(a->shortcut(), c.key) << c.command;
        EXPECT_TRUE(list_.actions().contains(a)) << c.command;  // works anywhere in the window
        EXPECT_TRUE(list_.grid()->actions().contains(a)) << c.command;
    }
    EXPECT_TRUE(list_.Command("Rediger")->shortcuts().contains(QKeySequence(ctrl | Qt::Key_Enter)));

    QStringList menu;
    QStringList related;
    QStringList advanced;
    for (QAction* a : list_.grid()->actions()) {
        if (a->isSeparator()) continue;
        menu << a->text();
        if (a->menu() && a->text() == "Vis tilhørende")
            for (QAction* s : a->menu()->actions()) related << s->text();
        if (a->menu() && a->text() == "Avansert")
            for (QAction* s : a->menu()->actions()) advanced << s->text();
    }
    EXPECT_EQ(menu, (QStringList{"Ny", "Rediger", "Slett", "Oppdater", "Filtrer etter ...", "Kunder", "Leverandører",
                                 "Utstyrleverandører", "Avtale eller partner", "Svartelistet", "Vis alle",
                                 "Vis tilhørende", "Avansert", "Kopier adresse til ordre", "Hovedmeny"}));
    EXPECT_EQ(related, (QStringList{"Kontakter", "Dokumenter", "Timeregistreringer", "Varetransaksjoner",
                                    "Regnskapsposteringer", "Tilbud", "Ordrer", "Innkjøp", "Fakturaer"}));
    EXPECT_EQ(advanced, QStringList{"Formatér firmaer"});

    // The lists and windows of later versions say so.
    for (const char* later : {"Dokumenter", "Timeregistreringer", "Fakturaer", "Formatér firmaer", "Hovedmeny"}) {
        prompter_->ClearEvents();
        Run(later);
        EXPECT_EQ(Messages(), QStringList{kLater}) << later;
    }
}

TEST_F(CompanyListFormTest, DeleteAsksFirstAndEditShowsTheCompany) {
    ASSERT_TRUE(dm_.CompanyTable().Locate("id", ohara_));
    Run("Rediger");
    EXPECT_TRUE(data_.isVisible());
    EXPECT_EQ(data_.windowTitle(), "Firmadata [" + QString::number(ohara_) + "]");
    data_.close();

    prompter_->No();
    Run("Slett");
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM company"), "7");
    prompter_->Yes();
    Run("Slett");
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM company WHERE id=" + QString::number(ohara_)), "0");
    EXPECT_EQ(Names().size(), 6);
    EXPECT_EQ(prompter_->events()[0].text, "Slette denne posten?");
    EXPECT_TRUE(Messages().isEmpty()) << Messages().join(" | ").toStdString();
}

TEST_F(CompanyListFormTest, ClosingEndsTheChooserRemovesTheFilterAndStoresThePosition) {
    crm_.SetAddressChooserMode(true);
    Run("Svartelistet");
    list_.close();
    EXPECT_FALSE(crm_.AddressChooserMode());
    EXPECT_EQ(dm_.CompanyTable().FilterSql(), "");
    EXPECT_EQ(Names().size(), 7);
    EXPECT_FALSE(StoredWindowValue("CompanyListForm", "Width").isEmpty());

    // A later double-click shows the company instead of overwriting a document's address.
    const int order = OpenDocument(DocumentKind::Order, "Leveres på kaia");
    Crm().OpenDocuments() = OpenDocumentIds{order, 0, 0, 0};
    list_.show();
    ASSERT_TRUE(dm_.CompanyTable().Locate("id", bygg_));
    emit list_.grid()->doubleClicked(list_.model()->index(list_.model()->CurrentRow(), 0));
    EXPECT_TRUE(data_.isVisible());
    EXPECT_EQ(DocumentTableOf(DocumentKind::Order).AsString("deliveryaddress"), "Leveres på kaia");
    EXPECT_TRUE(list_.isVisible());
}

TEST_F(CompanyListFormTest, FetchAddressAndTheRelatedPanelShowByTheChooserAndTheOpenDocuments) {
    const struct {
        bool chooser;
        OpenDocumentIds open;
        bool fetch;  // "Hent adresse" shown; the panel "TILKNYTNINGER" exactly when not
        bool copyItem;
    } cases[] = {
        {false, {}, false, false},
        {false, {5, 0, 0, 0}, false, true},
        {true, {}, false, false},
        {true, {5, 0, 0, 0}, true, true},
        {true, {0, 6, 0, 0}, true, false},
        {true, {0, 0, 7, 0}, true, false},
        {true, {0, 0, 0, 8}, true, false},
    };
    for (const auto& c : cases) {
        list_.hide();
        crm_.SetAddressChooserMode(c.chooser);
        Crm().OpenDocuments() = c.open;
        list_.show();
        const std::string what = std::to_string(c.chooser) + " " + std::to_string(c.open.orderId) +
                                 std::to_string(c.open.poId) + std::to_string(c.open.offerId) +
                                 std::to_string(c.open.invoiceId);
        EXPECT_EQ(list_.FetchAddressButton()->isVisible(), c.fetch) << what;
        EXPECT_EQ(list_.RelatedPanel()->isVisible(), !c.fetch) << what;
        EXPECT_EQ(list_.CopyAddressCommand()->isVisible(), c.copyItem) << what;
    }
    // The panel's buttons are the menu's related lists.
    QStringList panel;
    for (auto* b : list_.RelatedPanel()->findChildren<QToolButton*>()) panel << b->text();
    EXPECT_EQ(panel, (QStringList{"Kontakter", "Dokumenter", "Timeregistreringer", "Varetransaksjoner",
                                  "Regnskapsposteringer", "Tilbud", "Ordrer", "Innkjøp", "Fakturaer"}));
}

TEST_F(CompanyListFormTest, ADoubleClickInTheChooserCopiesTheAddressIntoTheOpenOrder) {
    const int order = OpenDocument(DocumentKind::Order, "Gammel adresse");
    Crm().OpenDocuments() = OpenDocumentIds{order, 0, 0, 0};
    list_.close();
    WhenModalShown([this](QWidget* dialog) {
        EXPECT_EQ(dialog, &list_);
        EXPECT_TRUE(list_.FetchAddressButton()->isVisible());
        ASSERT_TRUE(list_.TypeAhead("o'hara"));
        emit list_.grid()->doubleClicked(list_.model()->index(list_.model()->CurrentRow(), 0));
    });
    EXPECT_TRUE(FetchAddressFromCompanyList());
    EXPECT_FALSE(list_.isVisible());
    EXPECT_FALSE(crm_.AddressChooserMode());
    Table& orders = DocumentTableOf(DocumentKind::Order);
    EXPECT_EQ(orders.State(), DatasetState::Edit);  // the order window's "Lagre" posts it
    EXPECT_EQ(orders.AsString("deliveryaddress"), "O'Hara Rør AS\r\nKaigata 1\r\n5003 BERGEN");
    EXPECT_EQ(ScalarText("SELECT deliveryaddress FROM " + orders.TableName() + " WHERE id=" + QString::number(order)), "Gammel adresse");
    EXPECT_FALSE(data_.isVisible());
    orders.Cancel();

    // Closed without copying: nothing is written and the chooser ends.
    WhenModalShown([](QWidget* dialog) { dialog->close(); });
    EXPECT_FALSE(FetchAddressFromCompanyList());
    EXPECT_FALSE(crm_.AddressChooserMode());
    EXPECT_EQ(orders.AsString("deliveryaddress"), "Gammel adresse");
    EXPECT_TRUE(Messages().isEmpty()) << Messages().join(" | ").toStdString();
}

TEST_F(CompanyListFormTest, FetchAddressCopiesIntoTheFirstOpenDocument) {
    const int po = OpenDocument(DocumentKind::PurchaseOrder, "Vårt lager");
    const int offer = OpenDocument(DocumentKind::Offer, "");
    Crm().OpenDocuments() = OpenDocumentIds{0, po, offer, 0};
    WhenModalShown([this](QWidget*) {
        EXPECT_FALSE(list_.CopyAddressCommand()->isVisible());  // no order open
        ASSERT_TRUE(dm_.CompanyTable().Locate("id", bygg_));
        list_.FetchAddressButton()->click();
    });
    EXPECT_TRUE(FetchAddressFromCompanyList());
    EXPECT_EQ(DocumentTableOf(DocumentKind::PurchaseOrder).AsString("deliveryaddress"),
              "Bygg & Betong AS\r\nIndustrivegen 4\r\n2000 LILLESTRØM");
    EXPECT_EQ(DocumentTableOf(DocumentKind::Offer).AsString("deliveryaddress"), "");
    EXPECT_EQ(dm_.CompanyTable().FilterSql(), "");
}

}  // namespace
