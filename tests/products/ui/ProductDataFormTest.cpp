// The product window and the technical data window through their own commands: a new
// product typed and saved with the save rules, a duplicate number keeping the edit, number
// fields refusing text, the four-step slider and its stored level, the EAN button and the
// barcode, a row full of NULLs, the choosers of the technical window.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QSlider>
#include <QTableView>
#include <QToolButton>

#include "ProductWindowsFixture.h"
#include "products/Barcode.h"
#include "products/ui/ProductDataForm.h"
#include "products/ui/ProductListForm.h"
#include "products/ui/ProductTecDataForm.h"
#include "ui/DbCheckBox.h"
#include "ui/DbLineEdit.h"
#include "ui/DbLookupCombo.h"

namespace {

class ProductDataFormTest : public ProductWindowsFixture {
  protected:
    bool Type(ProductDataForm& form, const char* column, const QString& text) {
        auto* edit = form.Field<DbLineEdit>(column);
        return edit && edit->SetUserText(text);
    }
    void TypeAll(ProductDataForm& form, const std::vector<std::pair<const char*, QString>>& values) {
        for (const auto& [column, text] : values) EXPECT_TRUE(Type(form, column, text)) << column;
    }
};

TEST_F(ProductDataFormTest, NewProductsTypedAndSavedGetTheSaveRules) {
    ASSERT_TRUE(OpenProducts());
    ProductListForm list;
    ProductDataForm form;
    list.show();
    // "Ny" of the list opens the product window on a new row.
    list.Command("Ny")->trigger();
    ASSERT_TRUE(form.isVisible());
    EXPECT_EQ(form.windowTitle(), "Varedata []");
    EXPECT_EQ(Products().State(), DatasetState::Insert);
    TypeAll(form, {{"productcode", "100-1"},
                   {"producttext", "Kabel 3x1,5 O'Hara"},
                   {"piece", "m"},
                   {"productgroup", "EL"},
                   {"cost", "100"},
                   {"discount", "10"},
                   {"freight", "5"}});
    EXPECT_TRUE(form.Command("Lagre")->isEnabled());
    form.Command("Lagre")->trigger();
    EXPECT_TRUE(Messages().isEmpty()) << Said();
    EXPECT_EQ(ColumnOf("100-1", "CONCAT(real_cost, ' ', price, ' ', value, ' ', user, ' ', usergroup)"), "95 100 100 7 3");
    EXPECT_EQ(ColumnOf("100-1", "producttext"), "Kabel 3x1,5 O'Hara");
    EXPECT_EQ(form.windowTitle(), "Varedata [" + QString::fromStdString(ColumnOf("100-1", "id")) + "]");

    // The window's own "Ny vare" (Ctrl+N), with the last product's unit and group.
    QAction* add = form.Command("Ny vare");
    ASSERT_NE(add, nullptr);
    EXPECT_EQ(add->text(), "Ny post");
    EXPECT_EQ(add->shortcut(), QKeySequence("Ctrl+N"));
    add->trigger();
    EXPECT_EQ(form.Field<DbLineEdit>("piece")->text(), "m");
    TypeAll(form, {{"productcode", "100-2"}, {"cost", "100"}, {"discount", "10"}, {"freight", "5"},
                   {"addpercent", "20"}, {"maxstock", "5"}, {"minstock", "10"}});
    form.Command("Lagre")->trigger();
    EXPECT_EQ(ColumnOf("100-2", "CONCAT(price, ' ', maxstock, ' ', productgroup)"), "114 10 EL");
    EXPECT_TRUE(Messages().isEmpty()) << Said();

    // "Avbryt" (Ctrl+Z) drops what was typed.
    EXPECT_EQ(form.Command("Avbryt")->shortcut(), QKeySequence("Ctrl+Z"));
    ASSERT_TRUE(Type(form, "producttext", "Feil"));
    form.Command("Avbryt")->trigger();
    EXPECT_EQ(ColumnOf("100-2", "producttext"), "NULL");
    EXPECT_FALSE(Products().IsEditing());
}

TEST_F(ProductDataFormTest, DuplicateCodeIsToldAndEveryTypedValueStays) {
    AddProduct("D1");
    ASSERT_TRUE(OpenProducts());
    ProductDataForm form;
    form.show();
    form.Command("Ny vare")->trigger();
    const std::vector<std::pair<const char*, QString>> typed = {
        {"productcode", "D1"}, {"producttext", "Ny vare 50% ÆØÅ \\"}, {"cost", "12,5"}, {"location", "Hylle 'B'"}};
    TypeAll(form, typed);
    form.Command("Lagre")->trigger();
    EXPECT_EQ(Messages(), QStringList{"FEIL: Varenummeret D1 finnes allerede."});
    EXPECT_EQ(Products().State(), DatasetState::Insert);
    for (const auto& [column, text] : typed) EXPECT_EQ(form.Field<DbLineEdit>(column)->text(), text) << column;
    EXPECT_TRUE(form.Command("Lagre")->isEnabled());
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM product"), "1");
    // Mended, the same edit saves.
    ASSERT_TRUE(Type(form, "productcode", "D2"));
    prompter_->ClearEvents();
    form.Command("Lagre")->trigger();
    EXPECT_TRUE(Messages().isEmpty()) << Said();
    EXPECT_EQ(ColumnOf("D2", "CONCAT(cost, ' ', location)"), "12.5 Hylle 'B'");
}

TEST_F(ProductDataFormTest, NumberFieldsTakeNoText) {
    const long long id = AddProduct("N1", "cost,vatcode", "10,0");
    ASSERT_TRUE(OpenProducts());
    ProductDataForm form;
    form.show();
    auto* cost = form.Field<DbLineEdit>("cost");
    cost->selectAll();
    for (const char* key : {"1", "x", "2", "'", ";", ",", "5"}) PressKey(cost, 0, key);
    EXPECT_EQ(cost->text(), "12,5");
    auto* vat = form.Field<DbLineEdit>("vatcode");
    vat->selectAll();
    for (const char* key : {"2", ",", "a"}) PressKey(vat, 0, key);
    EXPECT_EQ(vat->text(), "2");
    form.Command("Lagre")->trigger();
    EXPECT_TRUE(Messages().isEmpty()) << Said();
    EXPECT_EQ(Column(id, "CONCAT(cost, ' ', vatcode)"), "12.5 2");
}

TEST_F(ProductDataFormTest, FourStepSliderShowsItsPanelsAndIsKept) {
    AddProduct("V1");
    ASSERT_TRUE(OpenProducts());
    const struct {
        int level;
        bool prices, stock;
    } cases[] = {{0, false, false}, {1, true, false}, {2, false, true}, {3, true, true}};
    {
        ProductDataForm form;
        form.show();
        EXPECT_EQ(form.Level(), 0);
        for (const auto& c : cases) {
            form.SetLevel(c.level);
            EXPECT_TRUE(form.basicPanel()->isVisible()) << c.level;
            EXPECT_EQ(form.pricePanel()->isVisible(), c.prices) << c.level;
            EXPECT_EQ(form.stockPanel()->isVisible(), c.stock) << c.level;
        }
        form.SetLevel(2);
        form.close();
    }
    ProductDataForm again;
    again.show();
    EXPECT_EQ(again.Level(), 2);
    EXPECT_TRUE(again.stockPanel()->isVisible());
    EXPECT_FALSE(again.pricePanel()->isVisible());
    again.close();
}

TEST_F(ProductDataFormTest, EanButtonFillsOnlyAMissingEanAndTheBarcodeFollows) {
    const long long empty = AddProduct("7038010001234", "EAN", "''");
    const long long zero = AddProduct("7038010001235", "EAN", "'0'");
    const long long kept = AddProduct("7038010001236", "EAN", "'5701234567899'");
    ASSERT_TRUE(OpenProducts());
    ProductDataForm form;
    form.show();
    auto* button = form.findChild<QToolButton*>("eanButton");
    ASSERT_NE(button, nullptr);
    for (long long id : {empty, zero, kept}) {
        ASSERT_TRUE(Products().Locate("id", id));
        const bool missing = id != kept;
        EXPECT_EQ(form.barcode()->pixmap().isNull(), missing) << id;
        button->click();
        EXPECT_EQ(Products().IsEditing(), missing) << id;
        form.Command("Lagre")->trigger();
        EXPECT_FALSE(form.barcode()->pixmap().isNull()) << id;
    }
    EXPECT_EQ(Column(empty, "EAN"), Ean128Text("7038010001234").toStdString());
    EXPECT_EQ(Column(zero, "EAN"), "7038010001235");
    EXPECT_EQ(Column(kept, "EAN"), "5701234567899");
    // Typing an EAN redraws the picture; emptying it clears it.
    ASSERT_TRUE(form.Field<DbLineEdit>("EAN")->SetUserText(""));
    EXPECT_TRUE(form.barcode()->pixmap().isNull());
    form.Command("Avbryt")->trigger();
    EXPECT_FALSE(form.barcode()->pixmap().isNull());
    EXPECT_TRUE(Messages().isEmpty()) << Said();
}

TEST_F(ProductDataFormTest, CheckBoxesVendorsAndThePackageButton) {
    const int vendor = AddCompany("Elektro Grossist AS");
    const long long id = AddProduct("C1");
    ASSERT_TRUE(OpenProducts());
    ProductDataForm form;
    form.show();
    form.SetLevel(3);
    EXPECT_TRUE(form.findChild<DbCheckBox*>("recalc_id")->font().bold());
    EXPECT_FALSE(form.Command("Pakkelinjer")->isVisible());
    for (const char* box : {"web", "rwx_all", "recalc_id", "usertag", "ownproduction"})
        form.findChild<DbCheckBox*>(box)->click();
    EXPECT_TRUE(form.Command("Pakkelinjer")->isVisible());
    EXPECT_EQ(form.findChild<DbCheckBox*>("usertag")->toolTip(), "Utpris blir ikke kalkulert av kostpris, men er fat");
    ASSERT_TRUE(form.findChild<DbLookupCombo*>("vendor")->ChooseKey(QString::number(vendor)));
    form.Command("Lagre")->trigger();
    EXPECT_EQ(Column(id, "CONCAT(web, rwx_all, recalc_id, usertag, ownproduction, ' ', vendor)"),
              "15111 " + std::to_string(vendor));
    EXPECT_EQ(form.findChild<DbLookupCombo*>("vendor")->currentText(), "Elektro Grossist AS");
    form.findChild<DbCheckBox*>("recalc_id")->click();
    EXPECT_FALSE(form.Command("Pakkelinjer")->isVisible());
    form.Command("Avbryt")->trigger();

    // Later windows say so.
    for (const char* command : {"Pakkelinjer", "Etikett", "Dokumenter"}) {
        prompter_->ClearEvents();
        form.Command(command)->trigger();
        EXPECT_EQ(Messages(), QStringList{"Varlokken 6: Kommer i en senere versjon"}) << command;
    }
    EXPECT_EQ(form.Command("Etikett")->shortcut(), QKeySequence(Qt::Key_F8));
    EXPECT_EQ(form.Command("Hovedmeny")->shortcut(), QKeySequence(Qt::Key_F10));
}

TEST_F(ProductDataFormTest, ShowingReReadsTheRowAndPageKeysMove) {
    const long long first = AddProduct("M1", "producttext", "'Første'");
    AddProduct("M2", "producttext", "'Andre'");
    ASSERT_TRUE(OpenProducts());
    ASSERT_TRUE(Products().Locate("id", first));
    db_.Exec("UPDATE product SET producttext='Endret annensteds' WHERE id=" + std::to_string(first));
    ProductDataForm form;
    form.show();
    EXPECT_EQ(form.Field<DbLineEdit>("producttext")->text(), "Endret annensteds");
    EXPECT_EQ(form.Command("Neste post")->shortcut(), QKeySequence(Qt::Key_PageDown));
    // Moving saves what was typed.
    ASSERT_TRUE(Type(form, "producttext", "Første igjen"));
    form.Command("Neste post")->trigger();
    EXPECT_EQ(Products().AsString("productcode"), "M2");
    EXPECT_EQ(Column(first, "producttext"), "Første igjen");
    form.Command("Forrige post")->trigger();
    EXPECT_EQ(Products().AsString("productcode"), "M1");
}

TEST_F(ProductDataFormTest, ARowOfNullsOpensInBothWindowsAndSaves) {
    db_.Exec("INSERT INTO product (productcode) VALUES ('NULL1')");
    std::string nulls;
    for (const char* column : {"recalc_id", "EAN", "producttext", "internaltext", "piece", "productgroup", "cost",
                               "price", "vatcode", "freight", "addpercent", "addsum", "value", "ownproduction",
                               "instock", "insale", "inorder", "vendor", "vendor2", "maxstock", "minstock",
                               "drawing", "folder", "weight", "height", "width", "deepth", "volume", "sale", "web",
                               "discount", "direct_cost", "real_cost", "usertag", "user_favorite", "rwx_all",
                               "picture", "object_text", "lastsale", "lastorder", "firstsale"})
        nulls += std::string(nulls.empty() ? "" : ",") + column + "=NULL";
    db_.Exec("UPDATE product SET " + nulls);
    ASSERT_TRUE(OpenProducts());
    ProductListForm list;
    ProductDataForm form;
    ProductTecDataForm technical;
    list.show();
    EXPECT_EQ(list.CellText(0, "productcode"), "NULL1");
    EXPECT_EQ(list.CellText(0, "PriceInclVAT"), "0.00");
    EXPECT_EQ(list.CellText(0, "product_companyname"), "");
    // Enter in the grid opens the product window.
    PressKey(list.grid(), Qt::Key_Return);
    ASSERT_TRUE(form.isVisible());
    form.SetLevel(3);
    list.Command("Teknisk informasjon")->trigger();
    ASSERT_TRUE(technical.isVisible());
    EXPECT_EQ(form.Field<DbLineEdit>("price")->text(), "");
    EXPECT_TRUE(form.barcode()->pixmap().isNull());
    ASSERT_TRUE(Type(form, "producttext", "Fra et annet program"));
    form.Command("Lagre")->trigger();
    auto* weight = technical.Field<DbLineEdit>("weight");
    ASSERT_TRUE(weight->SetUserText("2,5"));
    technical.Command("Lagre")->trigger();
    EXPECT_TRUE(Messages().isEmpty()) << Said();
    EXPECT_EQ(ColumnOf("NULL1", "CONCAT(producttext, ' ', price, ' ', value, ' ', weight)"),
              "Fra et annet program 0 100 2.5");
}

TEST_F(ProductDataFormTest, TechnicalWindowChoosersAndPicture) {
    const long long id = AddProduct("T1");
    const QString folder = home_.Path("docs");
    QDir().mkpath(folder);
    const QString picture = folder + "/bilde.png";
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(picture));
    ctx_.config().WriteIniString("DOC_LOCAL", folder + "/");
    ASSERT_TRUE(OpenProducts());
    ProductTecDataForm form;
    form.show();
    EXPECT_EQ(form.windowTitle(), "Teknisk produktinformasjon [" + QString::number(id) + "]");
    EXPECT_FALSE(form.Command("Lagre")->isEnabled());

    prompter_->OpenFile(picture).OpenFile("").Folder(folder + "/tegninger/").Folder("");
    EXPECT_TRUE(form.ChoosePicture());
    EXPECT_TRUE(form.Command("Lagre")->isEnabled());
    EXPECT_FALSE(form.ChooseDrawing());
    EXPECT_TRUE(form.ChooseProductFolder());
    EXPECT_FALSE(form.ChooseProductFolder());
    form.Command("Lagre")->trigger();
    EXPECT_FALSE(form.Command("Lagre")->isEnabled());
    EXPECT_EQ(Column(id, "picture"), picture.toStdString());
    EXPECT_EQ(Column(id, "drawing"), "NULL");
    EXPECT_EQ(Column(id, "folder"), (folder + "/tegninger\\").toStdString());
    // The choosers started in the documents folder, the second folder choice at the folder.
    const auto& events = prompter_->events();
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[0].text, folder + "/");
    EXPECT_EQ(events[2].text, folder + "/");
    EXPECT_EQ(events[2].caption, "Valg mappe");
    EXPECT_EQ(events[3].text, folder + "/tegninger\\");

    // The picture shows only with "DOC_URL_USEIMAGES" on and its file there.
    EXPECT_FALSE(form.picture()->isVisible());
    ctx_.config().WriteIniBool("DOC_URL_USEIMAGES", true);
    form.UpdatePicture();
    EXPECT_TRUE(form.picture()->isVisible());
    QFile::remove(picture);
    form.UpdatePicture();
    EXPECT_FALSE(form.picture()->isVisible());
}

}  // namespace
