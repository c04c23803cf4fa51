// The record window of a user, the groups window, the table setup window and the record
// information window, driven through their commands and data-bound fields.
#include <QListWidget>
#include <QRadioButton>
#include <QTableView>

#include "UsersWindowFixture.h"
#include "data/Catalogue.h"
#include "ui/DetailSlider.h"
#include "data/ui/GroupsForm.h"
#include "data/ui/RecordInfoForm.h"
#include "data/ui/TableSetupForm.h"
#include "data/ui/UserDataForm.h"
#include "ui/DatasetTableModel.h"
#include "ui/DbCheckBox.h"
#include "ui/DbLabel.h"
#include "ui/DbLineEdit.h"
#include "ui/DbLookupCombo.h"
#include "ui/DbMemo.h"
#include "ui/DbNavigator.h"
#include "ui/DbRadioGroup.h"

namespace {

class DataWindowsTest : public UsersWindowFixture {
  protected:
    std::string UserColumn(int id, const char* column) const {
        return Scalar(QString("SELECT `%1` FROM users WHERE id=%2").arg(column).arg(id));
    }
};

TEST_F(DataWindowsTest, TheUserRecordWindowEditsTheCurrentRow) {
    const int kari = AddUser("KN", "Kari Nordmann", "rwx_all, gender", "0, 2");
    const int ola = AddUser("OB", "Ola Berg");
    Table& users = dm_.UsersTable();
    users.SetOrder("id");
    ASSERT_TRUE(dm_.OpenTableWithRights(users, true, false));
    UserDataForm form;
    form.show();
    EXPECT_EQ(form.windowTitle(), QString("Brukerdata [%1]").arg(kari));
    EXPECT_EQ(form.Edit("realname")->text(), "Kari Nordmann");
    EXPECT_FALSE(form.Command("Lagre")->isEnabled());
    EXPECT_FALSE(form.Command("Avbryt")->isEnabled());
    EXPECT_TRUE(form.Command("Ny ansatt")->isEnabled());
    auto* gender = form.findChild<DbRadioGroup*>("gender");
    EXPECT_EQ(gender->CheckedItem(), 2);

    // Typing edits the row; "Avbryt" drops it.
    ASSERT_TRUE(form.Edit("city")->SetUserText("Tromsø"));
    EXPECT_TRUE(users.IsEditing());
    EXPECT_TRUE(form.Command("Lagre")->isEnabled());
    EXPECT_FALSE(form.Command("Ny post")->isEnabled());
    form.Command("Avbryt")->trigger();
    EXPECT_EQ(form.Edit("city")->text(), "");
    EXPECT_EQ(UserColumn(kari, "city"), "NULL");

    // "Publisert" writes 5 and 0, the gender its number, the notes the object text.
    auto* published = form.findChild<DbCheckBox*>();
    ASSERT_NE(published, nullptr);
    published->click();
    gender->Button(1)->click();
    ASSERT_TRUE(form.findChild<DbMemo*>("object_text")->SetUserText("Nøkkel levert"));
    ASSERT_TRUE(form.Edit("city")->SetUserText("Tromsø"));
    form.Command("Lagre")->trigger();
    EXPECT_TRUE(Messages().isEmpty()) << Said();
    EXPECT_EQ(UserColumn(kari, "rwx_all"), "5");
    EXPECT_EQ(UserColumn(kari, "gender"), "1");
    EXPECT_EQ(UserColumn(kari, "city"), "Tromsø");
    EXPECT_EQ(UserColumn(kari, "object_text"), "Nøkkel levert");
    published->click();
    form.Command("Lagre")->trigger();
    EXPECT_EQ(UserColumn(kari, "rwx_all"), "0");

    // Navigation, with the caption following.
    form.Command("Neste post")->trigger();
    EXPECT_EQ(form.windowTitle(), QString("Brukerdata [%1]").arg(ola));
    EXPECT_EQ(form.Edit("initials")->text(), "OB");
    EXPECT_EQ(gender->CheckedItem(), -1);
    form.Command("Første post")->trigger();
    EXPECT_EQ(form.Edit("initials")->text(), "KN");

    // A save the server refuses is shown and the typed values stay.
    ASSERT_TRUE(form.Edit("postalcode")->SetUserText("1234567890"));
    form.Command("Lagre")->trigger();
    ASSERT_EQ(Messages().size(), 1);
    EXPECT_TRUE(Messages()[0].startsWith("FEIL: ")) << Said();
    EXPECT_TRUE(users.IsEditing());
    EXPECT_EQ(form.Edit("postalcode")->text(), "1234567890");
    users.Cancel();

    // Entries of a later version.
    prompter_->ClearEvents();
    form.Command("Dokumenter")->trigger();
    EXPECT_EQ(Messages(), QStringList{"Varlokken 6: Kommer i en senere versjon"});

    // The detail level is kept with the window's position.
    form.detailSlider()->SetLevel(1);
    EXPECT_TRUE(form.Edit("city")->isVisible());
    EXPECT_FALSE(form.findChild<DbMemo*>("object_text")->isVisible());
    form.close();
    UserDataForm again;
    again.show();
    EXPECT_EQ(again.detailSlider()->Level(), 1);
    again.detailSlider()->SetLevel(0);
    EXPECT_FALSE(again.Edit("city")->isVisible());
    again.close();
}

TEST_F(DataWindowsTest, TheGroupsWindowEditsNumbersAndNames) {
    Exec("INSERT INTO `groups` (group_id, group_name) VALUES (100, 'Alle'), (149, 'Lager')");
    GroupsForm form;
    form.show();
    EXPECT_EQ(form.windowTitle(), "Grupper");
    DatasetTableModel& m = *form.model();
    ASSERT_EQ(m.rowCount(), 2);
    EXPECT_EQ(m.headerData(0, Qt::Horizontal).toString(), "Gruppe");
    EXPECT_EQ(m.headerData(1, Qt::Horizontal).toString(), "Navn");
    EXPECT_EQ(m.CellText(1, 1), "Lager");

    ASSERT_TRUE(m.setData(m.index(1, 1), "Lager og verksted"));
    form.navigator()->Press(DbNavigator::Insert);
    EXPECT_EQ(m.rowCount(), 3);
    const int added = m.CurrentRow();
    ASSERT_TRUE(m.setData(m.index(added, 0), "200"));
    ASSERT_TRUE(m.setData(m.index(added, 1), "Salg"));
    form.close();  // the pending row is saved
    EXPECT_TRUE(Messages().isEmpty()) << Said();
    EXPECT_EQ(Scalar("SELECT GROUP_CONCAT(group_id, '=', group_name ORDER BY group_id) FROM `groups`"),
              "100=Alle,149=Lager og verksted,200=Salg");
    // New rows get the common defaults.
    EXPECT_EQ(Scalar("SELECT CONCAT(user, '/', usergroup, '/', rwx_all) FROM `groups` WHERE group_id=200"), "1/100/0");

    // Without the right to read groups the window says so.
    SetRights("users=R;\r\n");
    dm_.GroupsTable().Close();
    prompter_->ClearEvents();
    GroupsForm denied;
    denied.show();
    EXPECT_EQ(Messages(), QStringList{"Feil: Ingen tilgang til tabellen groups"});
    EXPECT_EQ(denied.model()->rowCount(), 0);
    denied.close();
}

TEST_F(DataWindowsTest, TheTableSetupWindowShowsAndWritesTheSwitches) {
    ctx_.config().WriteKey("VARLOKKEN_SQL", "NO_orders", "1");
    ctx_.config().WriteKey("VARLOKKEN_SQL", "NO_news", "true");
    TableSetupForm form;
    form.show();
    EXPECT_EQ(form.windowTitle(), "Tabelloppsett");
    ASSERT_EQ(form.list()->count(), 25);
    for (int i = 0; i < 25; ++i) EXPECT_EQ(form.list()->item(i)->text(), CatalogueName(i));
    EXPECT_EQ(form.list()->item(0)->text(), "Brukere");
    EXPECT_EQ(form.list()->item(24)->text(), CatalogueName(24));
    EXPECT_TRUE(form.Checked(CatalogueIndex("orders")));
    EXPECT_TRUE(form.Checked(CatalogueIndex("news")));
    EXPECT_FALSE(form.Checked(CatalogueIndex("users")));

    form.SetChecked(CatalogueIndex("orders"), false);
    form.SetChecked(CatalogueIndex("product"), true);
    form.close();
    for (int i = 0; i < 25; ++i) {
        const QString key = CatalogueAt(i).key;
        const bool off = key == "news" || key == "product";
        EXPECT_EQ(ctx_.config().ReadKey("VARLOKKEN_SQL", "NO_" + key), off ? "1" : "0") << key.toStdString();
        EXPECT_EQ(dm_.TableSwitchedOff(key), off);
    }
}

TEST_F(DataWindowsTest, TheRecordInformationWindowShowsAndEditsTheHeader) {
    const int kari = AddUser("KN", "Kari Nordmann");
    AddUser("OB", "Ola Berg");
    Exec("INSERT INTO `groups` (group_id, group_name) VALUES (100, 'Alle'), (149, 'Lager')");
    Exec(QString("INSERT INTO company (companyname, created, user, usergroup, rwx_all, rwx_group, rwx_user, usertag, "
                 "checked, updated) VALUES ('Fjord AS', '01.02.2012', %1, 149, 5, 6, 7, 42, 1, '2012-02-03 04:05:06'), "
                 "('Berg AS', NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, '2013-01-01 00:00:00')")
             .arg(kari));
    Table& company = dm_.CompanyTable();
    company.SetOrder("id");
    ASSERT_TRUE(dm_.OpenTableWithRights(company, true, false));
    ASSERT_TRUE(dm_.LookupQuery(Lookup::Users).Open());
    dm_.SetCommonDataset(&company);

    RecordInfoForm form;
    form.show();
    EXPECT_EQ(form.windowTitle(), "Postinformasjon");
    EXPECT_EQ(form.dataset(), &company);
    auto edit = [&](const char* name) { return form.findChild<DbLineEdit*>(name); };
    auto combo = [&](const char* name) { return form.findChild<DbLookupCombo*>(name); };
    EXPECT_EQ(edit("created")->text(), "01.02.2012");
    EXPECT_EQ(form.findChild<DbLabel*>("updated")->text(), "03.02.2012 04:05:06");
    EXPECT_EQ(combo("user")->currentText(), "KN");
    EXPECT_EQ(combo("usergroup")->currentText(), "Lager");
    EXPECT_EQ(edit("rwx_all")->text(), "5");
    EXPECT_EQ(edit("rwx_group")->text(), "6");
    EXPECT_EQ(edit("rwx_user")->text(), "7");
    EXPECT_EQ(edit("usertag")->text(), "42");
    auto* marked = form.findChild<DbCheckBox*>("checked");
    EXPECT_TRUE(marked->isChecked());

    // Edits go to the record: owner, group, mark, tag.
    ASSERT_TRUE(combo("user")->ChooseKey(Scalar("SELECT id FROM users WHERE initials='OB'").c_str()));
    ASSERT_TRUE(combo("usergroup")->ChooseKey("100"));
    marked->click();
    ASSERT_TRUE(edit("usertag")->SetUserText("43"));
    form.navigator()->Press(DbNavigator::Next);  // moving saves
    EXPECT_TRUE(Messages().isEmpty()) << Said();
    EXPECT_EQ(Scalar("SELECT CONCAT(u.initials, '/', c.usergroup, '/', c.checked, '/', c.usertag) FROM company c "
                     "JOIN users u ON u.id=c.user WHERE companyname='Fjord AS'"),
              "OB/100/0/43");

    // A row with a NULL header shows empty fields.
    EXPECT_EQ(edit("created")->text(), "");
    EXPECT_EQ(combo("user")->currentIndex(), -1);
    EXPECT_EQ(combo("usergroup")->currentIndex(), -1);
    EXPECT_FALSE(marked->isChecked());
    ASSERT_TRUE(edit("rwx_all")->SetUserText("5"));
    form.close();  // the pending change is saved
    EXPECT_EQ(Scalar("SELECT rwx_all FROM company WHERE companyname='Berg AS'"), "5");

    // An owner the lookup does not know shows as the number.
    Exec("UPDATE company SET user=999 WHERE companyname='Berg AS'");
    company.Refresh();
    RecordInfoForm other;
    other.SetDataset(&company);
    other.show();
    EXPECT_EQ(other.findChild<DbLookupCombo*>("user")->currentText(), "999");
    other.close();
}

}  // namespace
