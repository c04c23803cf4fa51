// The contact window through its own commands: saving and cancelling by the record's
// state, the caption, removing the company, the postal place rule, the mail and web
// buttons, the postal code window and moving between contacts.
#include <QAction>
#include <QToolButton>

#include "CrmWindowsFixture.h"
#include "crm/ContactRules.h"
#include "crm/ui/ContactDataForm.h"
#include "data/DataModule.h"
#include "ui/DbLineEdit.h"
#include "ui/DbLookupCombo.h"
#include "ui/DbMemo.h"
#include "ui/DetailSlider.h"
#include "ui/WindowRegistry.h"

namespace {

class ContactDataFormTest : public CrmWindowsFixture {
  protected:
    void SetUp() override {
        bygg_ = AddCompany("Bygg & Betong AS");
        ror_ = AddCompany("Rør-Eksperten AS");
        kari_ = AddContact("Kari O'Hara", QString::number(bygg_),
                           ", email, home_email, homepage, postalcode, city",
                           ", 'kari@bygg.no', 'kari@privat.no', 'www.bygg.no', '0150', 'OSLO'");
        per_ = AddContact("Per Backe", "0");
        data_.SetShellOpener([this](const QString& target) {
            opened_ << target;
            return true;
        });
        ASSERT_TRUE(RunContactQuery());
        data_.show();
    }
    std::string States() {
        std::string s;
        for (const char* c : {"Lagre", "Avbryt", "Ny kontakt", "Slett"})
            s += data_.Command(c)->isEnabled() ? '1' : '0';
        return s;
    }
    DbLineEdit* Edit(const char* column) { return data_.Field<DbLineEdit>(column); }
    QString Stored(const QString& column, int id) {
        return ScalarText("SELECT IFNULL(" + column +
                          ", 'NULL') FROM contact WHERE id=" + QString::number(id));
    }

    int bygg_ = 0;
    int ror_ = 0;
    int kari_ = 0;
    int per_ = 0;
    QStringList opened_;
    ContactDataForm data_;
};

TEST_F(ContactDataFormTest, SaveAndCancelFollowTheStateAndTheCaptionShowsTheId) {
    EXPECT_EQ(data_.windowTitle(), "Kontakt [" + QString::number(kari_) + "]");
    EXPECT_EQ(States(), "0011");
    EXPECT_EQ(data_.Command("Ny post"), data_.Command("Ny kontakt"));

    ASSERT_TRUE(Edit("realname")->SetUserText("Kari O'Hara-Dahl \\ 100%"));
    ASSERT_TRUE(
        data_.Field<DbMemo>("object_text")->SetUserText("Ringer helst før 9.\nTlf. 'privat'"));
    EXPECT_EQ(States(), "1100");
    data_.Command("Avbryt")->trigger();
    EXPECT_EQ(States(), "0011");
    EXPECT_EQ(Edit("realname")->text(), "Kari O'Hara");
    EXPECT_EQ(Stored("realname", kari_), "Kari O'Hara");

    ASSERT_TRUE(Edit("realname")->SetUserText("Kari O'Hara-Dahl \\ 100%"));
    ASSERT_TRUE(
        data_.Field<DbMemo>("object_text")->SetUserText("Ringer helst før 9.\nTlf. 'privat'"));
    data_.Command("Lagre")->trigger();
    EXPECT_EQ(States(), "0011");
    EXPECT_EQ(Stored("realname", kari_), "Kari O'Hara-Dahl \\ 100%");
    EXPECT_EQ(Stored("object_text", kari_), "Ringer helst før 9.\nTlf. 'privat'");

    data_.Command("Ny kontakt")->trigger();
    EXPECT_EQ(States(), "1100");
    EXPECT_EQ(data_.windowTitle(), "Kontakt []");
    ASSERT_TRUE(Edit("realname")->SetUserText("Nina Ny"));
    data_.Command("Lagre")->trigger();
    const QString id = ScalarText("SELECT id FROM contact WHERE realname='Nina Ny'");
    EXPECT_EQ(data_.windowTitle(), "Kontakt [" + id + "]");
    EXPECT_TRUE(Messages().isEmpty()) << Messages().join(" | ").toStdString();

    const Qt::Key ctrl = Qt::Key(Qt::CTRL);
    const struct {
        const char* command;
        QKeySequence key;
    } keys[] = {
        {"Lagre", QKeySequence(ctrl | Qt::Key_S)},
        {"Avbryt", QKeySequence(ctrl | Qt::Key_Z)},
        {"Ny post", QKeySequence(ctrl | Qt::Key_N)},
        {"Forrige post", QKeySequence(Qt::Key_PageUp)},
        {"Neste post", QKeySequence(Qt::Key_PageDown)},
        {"Hovedmeny", QKeySequence(Qt::Key_F10)},
    };
    for (const auto& k : keys) {
        ASSERT_NE(data_.Command(k.command), nullptr) << k.command;
        EXPECT_EQ(data_.Command(k.command)->shortcut(), k.key) << k.command;
        EXPECT_TRUE(data_.actions().contains(data_.Command(k.command))) << k.command;
    }
}

TEST_F(ContactDataFormTest, TheCompanyIsChosenFromTheListAndXRemovesIt) {
    auto* company = data_.Field<DbLookupCombo>("companyid");
    ASSERT_NE(company, nullptr);
    EXPECT_EQ(company->currentText(), "Bygg & Betong AS");
    ASSERT_TRUE(company->ChooseKey(QString::number(ror_)));
    data_.Command("Lagre")->trigger();
    EXPECT_EQ(Stored("companyid", kari_), QString::number(ror_));

    data_.findChild<QToolButton*>("removeCompany")->click();
    EXPECT_EQ(States(), "1100");
    EXPECT_EQ(company->currentIndex(), -1);
    data_.Command("Lagre")->trigger();
    EXPECT_EQ(Stored("companyid", kari_), "0");
}

TEST_F(ContactDataFormTest, LeavingAFourCharacterPostalCodeWritesThePlace) {
    WritePostalRegister("0150\tOSLO\t0301\tOSLO\tG\n5003\tBERGEN\t1201\tBERGEN\tB\n");
    const struct {
        const char* code;
        const char* city;  // the place after leaving the field
    } cases[] = {
        {"5003", "BERGEN"},  {"500", "BERGEN"},  // three characters: unchanged
        {"50030", "BERGEN"},                     // five: unchanged
        {"9998", ""},                            // not in the register: an empty place
        {"0150", "OSLO"},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(Edit("postalcode")->SetUserText(c.code)) << c.code;
        emit Edit("postalcode")->editingFinished();
        EXPECT_EQ(Edit("city")->text(), c.city) << c.code;
        data_.Command("Lagre")->trigger();
        EXPECT_EQ(Stored("city", kari_), c.city) << c.code;
    }
    // Leaving the field without editing changes nothing.
    Exec("UPDATE contact SET city='Annet' WHERE id=" + QString::number(kari_));
    ASSERT_TRUE(dm_.ContactQuery().Refresh());
    emit Edit("postalcode")->editingFinished();
    EXPECT_EQ(Edit("city")->text(), "Annet");
    EXPECT_TRUE(Messages().isEmpty()) << Messages().join(" | ").toStdString();
}

TEST_F(ContactDataFormTest, AMissingRegisterLeavesThePlaceAndSaysSoOnce) {
    for (const char* code : {"5003", "0150"}) {
        ASSERT_TRUE(Edit("postalcode")->SetUserText(code));
        emit Edit("postalcode")->editingFinished();
        EXPECT_EQ(Edit("city")->text(), "OSLO") << code;
    }
    data_.Command("Lagre")->trigger();
    EXPECT_EQ(Stored("city", kari_), "OSLO");
    ASSERT_EQ(Messages().size(), 1);
    EXPECT_TRUE(Messages()[0].contains("postnummer.txt")) << Messages()[0].toStdString();
}

TEST_F(ContactDataFormTest, TheButtonsBesideTheFieldsOpenMailWebAndThePostalWindow) {
    data_.findChild<QToolButton*>("mailWork")->click();
    data_.findChild<QToolButton*>("mailHome")->click();
    data_.Field<DbLineEdit>("homepage")->parentWidget()->findChild<QToolButton*>()->click();
    EXPECT_EQ(opened_,
              (QStringList{"mailto:kari@bygg.no", "mailto:kari@privat.no", "http://www.bygg.no"}));

    QStringList shown;
    RegisterWindow("PostnummerForm", this, [&](const QString& code) { shown << code; });
    data_.findChild<QToolButton*>("postalLookup")->click();
    UnregisterWindow("PostnummerForm", this);
    EXPECT_EQ(shown, QStringList{"0150"});

    // A contact without addresses opens nothing.
    data_.Command("Neste post")->trigger();
    EXPECT_EQ(Edit("realname")->text(), "Per Backe");
    opened_.clear();
    data_.findChild<QToolButton*>("mailWork")->click();
    EXPECT_TRUE(opened_.isEmpty());
}

TEST_F(ContactDataFormTest, MovingSavesFirstAndTheSliderLevelIsKept) {
    ASSERT_TRUE(Edit("mobilephone")->SetUserText("911 22 333"));
    data_.Command("Neste post")->trigger();
    EXPECT_EQ(Stored("mobilephone", kari_), "911 22 333");
    EXPECT_EQ(data_.windowTitle(), "Kontakt [" + QString::number(per_) + "]");
    data_.Command("Forrige post")->trigger();
    EXPECT_EQ(Edit("realname")->text(), "Kari O'Hara");

    data_.detailSlider()->SetLevel(2);
    EXPECT_EQ(data_.Diverse(), "2");
    EXPECT_TRUE(data_.Field<DbMemo>("object_text")->isVisible());
    data_.detailSlider()->SetLevel(0);
    EXPECT_FALSE(Edit("city")->isVisible());
    EXPECT_TRUE(Edit("mobilephone")->isVisible());
    // Shown by name on the current row.
    data_.close();
    ASSERT_TRUE(ShowWindow("ContactDataForm"));
    EXPECT_TRUE(data_.isVisible());
}

}  // namespace
