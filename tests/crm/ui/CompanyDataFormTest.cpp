// The company window through its own commands: saving and cancelling by the record's state,
// the caption, a new company, the slider kept with the position, the postal place rule, the
// contacts following the company, the drop-downs and check boxes, the buttons beside the
// fields, the folder commands and the settings file.
#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QToolButton>

#include "CrmWindowsFixture.h"
#include "crm/ContactRules.h"
#include "crm/ui/CompanyDataForm.h"
#include "data/DataModule.h"
#include "ui/DbCheckBox.h"
#include "ui/DbLineEdit.h"
#include "ui/DbLookupCombo.h"
#include "ui/DbMemo.h"
#include "ui/DetailSlider.h"
#include "ui/WindowRegistry.h"

namespace {

class CompanyDataFormTest : public CrmWindowsFixture {
  protected:
    void SetUp() override {
        bygg_ = AddCompany("Bygg & Betong AS",
                           ", email, homepage, postalcode, city, companyfolder, customer, tax, inifile",
                           ", 'post@bygg.no', 'www.bygg.no', '2000', 'LILLESTRØM', '/srv/firma/bygg/', 1, 1, "
                           "'[STANDARD]\\r\\nPostfilServer=http://nedlasting.example.no\\r\\n'");
        ror_ = AddCompany("Rør-Eksperten AS");
        kari_ = AddContact("Kari O'Hara", bygg_);
        AddContact("Per Backe", bygg_);
        ola_ = AddContact("Ola Rør", ror_);
        kn_ = AddUser("KN", "Kari Nordmann");
        AddUser("OB", "Ola O'Brien");
        data_.SetShellOpener([this](const QString& target) {
            opened_ << target;
            return true;
        });
        ASSERT_TRUE(dm_.OpenTableWithRights(dm_.CompanyTable(), false, false));
        ASSERT_TRUE(dm_.CompanyTable().Locate("id", bygg_));
        data_.show();
    }
    std::string States() {
        std::string s;
        for (const char* c : {"Lagre", "Avbryt", "Nytt firma", "Slett"}) s += data_.Command(c)->isEnabled() ? '1' : '0';
        return s;
    }
    DbLineEdit* Edit(const char* column) { return data_.Field<DbLineEdit>(column); }
    void Run(const char* command) {
        QAction* a = data_.Command(QString::fromUtf8(command));
        ASSERT_NE(a, nullptr) << command;
        a->trigger();
    }

    int bygg_ = 0;
    int ror_ = 0;
    int kari_ = 0;
    int ola_ = 0;
    int kn_ = 0;
    QStringList opened_;
    CompanyDataForm data_;
};

TEST_F(CompanyDataFormTest, SaveAndCancelFollowTheStateAndTheCaptionShowsTheId) {
    EXPECT_EQ(data_.windowTitle(), "Firmadata [" + QString::number(bygg_) + "]");
    EXPECT_EQ(States(), "0011");
    EXPECT_EQ(data_.Command("Ny post"), data_.Command("Nytt firma"));

    ASSERT_TRUE(Edit("companyname")->SetUserText("Bygg & Betong O'Hara \\ 100% AS"));
    ASSERT_TRUE(data_.Field<DbMemo>("object_text")->SetUserText("Ringer helst før 9.\nPris 'netto'"));
    EXPECT_EQ(States(), "1100");
    Run("Avbryt");
    EXPECT_EQ(States(), "0011");
    EXPECT_EQ(Edit("companyname")->text(), "Bygg & Betong AS");
    EXPECT_EQ(Stored("companyname", bygg_), "Bygg & Betong AS");

    ASSERT_TRUE(Edit("companyname")->SetUserText("Bygg & Betong O'Hara \\ 100% AS"));
    ASSERT_TRUE(data_.Field<DbMemo>("object_text")->SetUserText("Ringer helst før 9.\nPris 'netto'"));
    Run("Lagre");
    EXPECT_EQ(States(), "0011");
    EXPECT_EQ(Stored("companyname", bygg_), "Bygg & Betong O'Hara \\ 100% AS");
    EXPECT_EQ(Stored("object_text", bygg_), "Ringer helst før 9.\nPris 'netto'");
    EXPECT_TRUE(Messages().isEmpty()) << Messages().join(" | ").toStdString();

    const Qt::Key ctrl = Qt::Key(Qt::CTRL);
    const struct {
        const char* command;
        QKeySequence key;
    } keys[] = {
        {"Lagre", QKeySequence(ctrl | Qt::Key_S)},      {"Avbryt", QKeySequence(ctrl | Qt::Key_Z)},
        {"Ny post", QKeySequence(ctrl | Qt::Key_N)},    {"Forrige post", QKeySequence(Qt::Key_PageUp)},
        {"Neste post", QKeySequence(Qt::Key_PageDown)}, {"Hovedmeny", QKeySequence(Qt::Key_F10)},
    };
    for (const auto& k : keys) {
        ASSERT_NE(data_.Command(k.command), nullptr) << k.command;
        EXPECT_EQ(data_.Command(k.command)->shortcut(), k.key) << k.command;
        EXPECT_TRUE(data_.actions().contains(data_.Command(k.command))) << k.command;
    }
}

TEST_F(CompanyDataFormTest, ANewCompanyReachesTheDatabaseWithTheUserAndGroup) {
    Run("Nytt firma");
    EXPECT_EQ(States(), "1100");
    EXPECT_EQ(data_.windowTitle(), "Firmadata []");
    ASSERT_TRUE(Edit("companyname")->SetUserText("Fjord Rør AS"));
    ASSERT_TRUE(Edit("phone")->SetUserText("55 12 34 56"));
    Run("Lagre");
    const QString id = ScalarText("SELECT id FROM company WHERE companyname='Fjord Rør AS'");
    ASSERT_FALSE(id.isEmpty());
    EXPECT_EQ(ScalarText("SELECT CONCAT(user, '/', usergroup, '/', rwx_all, '/', phone) FROM company WHERE id=" + id),
              "3/2/0/55 12 34 56");
    EXPECT_EQ(data_.windowTitle(), "Firmadata [" + id + "]");
    EXPECT_EQ(States(), "0011");

    // A name the latin1 column cannot hold: the server's refusal is shown and the edit stays.
    Run("Ny post");
    ASSERT_TRUE(Edit("companyname")->SetUserText("Smil 😀 AS"));
    Run("Lagre");
    EXPECT_EQ(ScalarText("SELECT COUNT(*) FROM company"), "3");
    ASSERT_EQ(Messages().size(), 1);
    EXPECT_TRUE(Messages()[0].startsWith("FEIL: ")) << Messages()[0].toStdString();
    EXPECT_EQ(States(), "1100");
    EXPECT_EQ(Edit("companyname")->text(), "Smil 😀 AS");
    Run("Avbryt");
}

TEST_F(CompanyDataFormTest, TheSliderOpensThePanelsAndItsLevelIsKeptWithThePosition) {
    const struct {
        int level;
        bool extended;
        bool notes;
    } cases[] = {{0, false, false}, {1, true, false}, {2, true, true}};
    for (const auto& c : cases) {
        data_.detailSlider()->SetLevel(c.level);
        EXPECT_TRUE(Edit("companyname")->isVisible()) << c.level;
        EXPECT_TRUE(Edit("phone")->isVisible()) << c.level;
        EXPECT_EQ(Edit("custno")->isVisible(), c.extended) << c.level;
        EXPECT_EQ(data_.Field<DbCheckBox>("customer")->isVisible(), c.extended) << c.level;
        EXPECT_EQ(data_.Field<DbMemo>("object_text")->isVisible(), c.notes) << c.level;
    }
    data_.close();
    EXPECT_EQ(StoredWindowValue("CompanyDataForm", "Diverse"), "2");
    CompanyDataForm again;
    again.show();
    EXPECT_EQ(again.detailSlider()->Level(), 2);
    EXPECT_TRUE(again.Field<DbMemo>("object_text")->isVisible());
}

TEST_F(CompanyDataFormTest, LeavingAFourCharacterPostalCodeWritesThePlace) {
    WritePostalRegister("0150\tOSLO\t0301\tOSLO\tG\n5003\tBERGEN\t1201\tBERGEN\tB\n");
    const struct {
        const char* code;
        const char* city;  // the place after leaving the field
    } cases[] = {
        {"5003", "BERGEN"},
        {"015", "BERGEN"},     // three characters: unchanged
        {"01500", "BERGEN"},   // five: unchanged
        {"9998", ""},          // not in the register: an empty place
        {"0150", "OSLO"},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(Edit("postalcode")->SetUserText(c.code)) << c.code;
        emit Edit("postalcode")->editingFinished();
        EXPECT_EQ(Edit("city")->text(), c.city) << c.code;
        Run("Lagre");
        EXPECT_EQ(Stored("city", bygg_), c.city) << c.code;
        EXPECT_EQ(Stored("postalcode", bygg_), c.code) << c.code;
    }
    // Leaving the field without editing changes nothing.
    Exec("UPDATE company SET city='Annet' WHERE id=" + QString::number(bygg_));
    ASSERT_TRUE(dm_.CompanyTable().Refresh());
    emit Edit("postalcode")->editingFinished();
    EXPECT_EQ(Edit("city")->text(), "Annet");
    EXPECT_TRUE(Messages().isEmpty()) << Messages().join(" | ").toStdString();
}

TEST_F(CompanyDataFormTest, AMissingRegisterLeavesThePlaceAndSaysSoOnce) {
    for (const char* code : {"5003", "0150"}) {
        ASSERT_TRUE(Edit("postalcode")->SetUserText(code));
        emit Edit("postalcode")->editingFinished();
        EXPECT_EQ(Edit("city")->text(), "LILLESTRØM") << code;
    }
    Run("Lagre");
    EXPECT_EQ(Stored("city", bygg_), "LILLESTRØM");
    EXPECT_EQ(Stored("postalcode", bygg_), "0150");
    ASSERT_EQ(Messages().size(), 1);
    EXPECT_TRUE(Messages()[0].contains("postnummer.txt")) << Messages()[0].toStdString();
}

TEST_F(CompanyDataFormTest, TheContactsFollowTheCompanyShown) {
    EXPECT_EQ(crm_.ContactCondition(), "companyid=" + QString::number(bygg_));
    EXPECT_EQ(Column(dm_.ContactQuery(), "realname"), (QStringList{"Kari O'Hara", "Per Backe"}));
    auto* contact = data_.Field<DbLookupCombo>("defaultcontact");
    ASSERT_NE(contact, nullptr);
    EXPECT_EQ(contact->count(), 2);
    ASSERT_TRUE(contact->ChooseKey(QString::number(kari_)));
    auto* ours = data_.Field<DbLookupCombo>("mycontact");
    ASSERT_NE(ours, nullptr);
    ASSERT_TRUE(ours->ChooseKey(QString::number(kn_)));
    EXPECT_EQ(ours->currentText(), "KN");
    Run("Lagre");
    EXPECT_EQ(Stored("defaultcontact", bygg_), QString::number(kari_));
    EXPECT_EQ(Stored("mycontact", bygg_), QString::number(kn_));

    // Moving on (PgDn) takes the contacts along; so does the navigator.
    Run("Neste post");
    EXPECT_EQ(data_.windowTitle(), "Firmadata [" + QString::number(ror_) + "]");
    EXPECT_EQ(crm_.ContactCondition(), "companyid=" + QString::number(ror_));
    EXPECT_EQ(Column(dm_.ContactQuery(), "realname"), QStringList{"Ola Rør"});
    EXPECT_EQ(contact->currentIndex(), -1);  // no default contact (0)
    Run("Forrige post");
    EXPECT_EQ(crm_.ContactCondition(), "companyid=" + QString::number(bygg_));
    EXPECT_EQ(contact->currentText(), "Kari O'Hara");

    // Not while a contact is being typed in the contact window: that edit is kept.
    Query& contacts = dm_.ContactQuery();
    ASSERT_TRUE(contacts.Locate("id", kari_));
    ASSERT_TRUE(contacts.Edit());
    ASSERT_TRUE(contacts.SetString("mobilephone", "900 11 222"));
    Run("Neste post");
    EXPECT_EQ(contacts.State(), DatasetState::Edit);
    EXPECT_EQ(contacts.AsString("mobilephone"), "900 11 222");
    ASSERT_TRUE(contacts.Post());
    Run("Forrige post");
    Run("Neste post");
    EXPECT_EQ(crm_.ContactCondition(), "companyid=" + QString::number(ror_));
    Run("Forrige post");
    EXPECT_EQ(ScalarText("SELECT mobilephone FROM contact WHERE id=" + QString::number(kari_)), "900 11 222");

    // Not while inserting: a new company has no contacts yet.
    Run("Ny post");
    EXPECT_EQ(crm_.ContactCondition(), "companyid=" + QString::number(bygg_));
    Run("Avbryt");

    // "Kontakter": the company's contacts, new ones tied to it (the list comes later here).
    ASSERT_TRUE(dm_.CompanyTable().Locate("id", ror_));
    Run("Kontakter");
    EXPECT_EQ(crm_.NewContactCompanyId(), ror_);
    EXPECT_EQ(crm_.ContactCondition(), "companyid=" + QString::number(ror_));
}

TEST_F(CompanyDataFormTest, TheCheckBoxesWriteOneAndZero) {
    const char* columns[] = {"customer", "vendor", "equipvendor", "blacklisted", "partner", "tax"};
    QStringList texts;
    for (const char* column : columns) {
        auto* box = data_.Field<DbCheckBox>(column);
        ASSERT_NE(box, nullptr) << column;
        texts << box->text();
        box->click();
    }
    EXPECT_EQ(texts, (QStringList{"Kunde", "Leverandør", "UtstyrLeverandør", "Svartelistet", "Avtale eller partner",
                                  "Momspliktig"}));
    Run("Lagre");
    EXPECT_EQ(ScalarText("SELECT CONCAT_WS(',', customer, vendor, equipvendor, blacklisted, partner, tax) "
                         "FROM company WHERE id=" +
                         QString::number(bygg_)),
              "0,1,1,1,1,0");
    EXPECT_EQ(Edit("custno")->maxLength(), 8);
}

TEST_F(CompanyDataFormTest, TheButtonsBesideTheFieldsOpenMailWebThePostalAndTheContactWindow) {
    data_.findChild<QToolButton*>("mailTo")->click();
    data_.findChild<QToolButton*>("openHomepage")->click();
    EXPECT_EQ(opened_, (QStringList{"mailto:post@bygg.no", "http://www.bygg.no"}));

    QStringList shown;
    RegisterWindow("PostnummerForm", this, [&](const QString& code) { shown << "postnummer " + code; });
    RegisterWindow("ContactDataForm", this, [&](const QString&) { shown << "kontakt"; });
    data_.findChild<QToolButton*>("postalLookup")->click();
    data_.findChild<QToolButton*>("companyContact")->click();
    UnregisterWindow("PostnummerForm", this);
    UnregisterWindow("ContactDataForm", this);
    EXPECT_EQ(shown, (QStringList{"postnummer 2000", "kontakt"}));
    EXPECT_EQ(crm_.NewContactCompanyId(), bygg_);

    // A company without addresses opens nothing.
    Run("Neste post");
    opened_.clear();
    data_.findChild<QToolButton*>("mailTo")->click();
    data_.findChild<QToolButton*>("openHomepage")->click();
    EXPECT_TRUE(opened_.isEmpty());
    EXPECT_TRUE(Messages().isEmpty()) << Messages().join(" | ").toStdString();
}

TEST_F(CompanyDataFormTest, TheFolderIsOpenedAsStoredAndChosenWithTheFolderDialog) {
    Run("Åpne lokal mappe");
    Run("Åpne mappen i nettleser");
    EXPECT_EQ(opened_, (QStringList{"/srv/firma/bygg/", "/srv/firma/bygg/"}));

    prompter_->Folder("");  // cancelled
    Run("Sett inn mappeplasering");
    EXPECT_EQ(States(), "0011");
    prompter_->Folder("/srv/firma/bygg og betong/");
    Run("Sett inn mappeplasering");
    Run("Lagre");
    EXPECT_EQ(Stored("companyfolder", bygg_), "/srv/firma/bygg og betong/");
    ASSERT_EQ(prompter_->events().size(), 2);
    EXPECT_EQ(prompter_->events()[0].caption, "Valg mappe");
    EXPECT_EQ(prompter_->events()[0].text, "/srv/firma/bygg/");
}

TEST_F(CompanyDataFormTest, TheIniButtonShowsTheOwnCompanysSettingsToAnAdministrator) {
    const struct {
        QString rights;
        int ownCompany;
        bool shown;
    } cases[] = {
        {"users=RWA;company=RW", bygg_, true},
        {"users=RW;company=RW", bygg_, false},
        {"users=RWA;company=RW", ror_, false},
    };
    for (const auto& c : cases) {
        data_.close();
        SetRights(c.rights);
        ctx_.logon().CurrentCompanyId = c.ownCompany;
        data_.show();
        EXPECT_EQ(data_.IniButton()->isVisible(), c.shown) << c.rights.toStdString() << " " << c.ownCompany;
    }
    data_.close();
    SetRights("users=RWA;company=RW");
    ctx_.logon().CurrentCompanyId = bygg_;
    data_.show();
    data_.IniButton()->click();
    ASSERT_NE(data_.IniWindow(), nullptr);
    EXPECT_TRUE(data_.IniWindow()->isVisible());
    EXPECT_EQ(data_.IniWindow()->windowTitle(), "sevrante.ini");
    auto* memo = data_.IniWindow()->findChild<DbMemo*>("inifile");
    ASSERT_NE(memo, nullptr);
    // The memo shows the lines (a line break is a line break, CR LF or LF).
    EXPECT_EQ(memo->toPlainText().split('\n'),
              (QStringList{"[STANDARD]", "PostfilServer=http://nedlasting.example.no", ""}));
    EXPECT_EQ(States(), "0011");  // showing it changes nothing
    ASSERT_TRUE(memo->SetUserText("[STANDARD]\nPostfilServer=\n"));
    Run("Lagre");
    EXPECT_EQ(Stored("inifile", bygg_), "[STANDARD]\nPostfilServer=\n");
    // Moving to another company hides the button.
    Run("Neste post");
    EXPECT_FALSE(data_.IniButton()->isVisible());
}

}  // namespace
