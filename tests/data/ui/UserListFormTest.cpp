// The user list: its grid, filters and search, delete confirmation, rights on the commands,
// acting as another user, the record window it opens, and what closing it does.
#include <QCoreApplication>
#include <QHeaderView>
#include <QTableView>

#include "UsersWindowFixture.h"
#include "data/ui/UserAccessForm.h"
#include "data/ui/UserDataForm.h"
#include "data/ui/UserListForm.h"
#include "ui/DatasetTableModel.h"
#include "ui/DbLineEdit.h"

namespace {

using Kind = testsupport::ScriptedPrompter::Kind;

class UserListFormTest : public UsersWindowFixture {
  protected:
    UserListFormTest() {
        kari_ = AddUser("KN", "Kari Nordmann", "department, title, homephone, defaultgroup, companyid, parameter",
                        "'Salg', 'Selger', '22 33 44 55', 100, 7, 'users=RWDIA;\\r\\norders=RW;\\r\\n'");
        ola_ = AddUser("OB", "Ola O'Brien", "department, title, defaultgroup", "'Lager_1', 'Lagersjef', 149");
        per_ = AddUser("PP", "Per 100% Pettersen", "department, rwx_all", "'Lager', 5");
        Exec("INSERT INTO users (initials, realname, username, activ) VALUES ('GA', 'Gamle Ansatt', 'ga', 0)");
    }
    // The names in the grid, in grid order.
    QStringList Names(const UserListForm& form) const {
        QStringList out;
        const DatasetTableModel& m = *form.model();
        for (int row = 0; row < m.rowCount(); ++row) out << m.CellText(row, m.ColumnOf("realname"));
        return out;
    }
    void Trigger(UserListForm& form, const char* command) {
        QAction* a = form.Command(command);
        ASSERT_NE(a, nullptr) << command;
        a->trigger();
    }
    int kari_ = 0, ola_ = 0, per_ = 0;
};

TEST_F(UserListFormTest, TheGridShowsTheUsersAndATitleClickOrdersThem) {
    UserListForm form;
    form.show();
    EXPECT_EQ(form.windowTitle(), "Personal");
    EXPECT_TRUE(dm_.UsersTable().IsActive());
    const QStringList titles = {"Initialer", "Navn",    "Telefon",   "Mobiltelefon",
                                "Epost",     "Tittel",  "Avdeling",  "Brukernavn"};
    ASSERT_EQ(form.model()->columnCount(), titles.size());
    for (int i = 0; i < titles.size(); ++i) EXPECT_EQ(form.model()->headerData(i, Qt::Horizontal).toString(), titles[i]);
    EXPECT_EQ(Names(form).size(), 4);  // the log-on set no filter here
    EXPECT_EQ(form.model()->CellText(form.model()->CurrentRow(), 2), dm_.UsersTable().AsString("homephone"));

    emit form.grid()->horizontalHeader()->sectionClicked(0);  // "Initialer"
    EXPECT_EQ(dm_.UsersTable().Order(), "initials");
    EXPECT_EQ(Names(form), (QStringList{"Gamle Ansatt", "Kari Nordmann", "Ola O'Brien", "Per 100% Pettersen"}));
    form.close();
}

TEST_F(UserListFormTest, TheFiltersAndTheSearchWithQuotesAndWildcards) {
    UserListForm form;
    form.show();
    Table& users = dm_.UsersTable();
    users.SetOrder("realname");
    const struct {
        const char* command;
        const char* filter;
        QStringList names;
    } fixed[] = {
        {"Aktive ansatte", "activ=1", {"Kari Nordmann", "Ola O'Brien", "Per 100% Pettersen"}},
        {"Ikke aktive", "activ=0", {"Gamle Ansatt"}},
        {"Publiserte", "rwx_all>0", {"Per 100% Pettersen"}},
        {"Vis alle", "", {"Gamle Ansatt", "Kari Nordmann", "Ola O'Brien", "Per 100% Pettersen"}},
    };
    for (const auto& c : fixed) {
        Trigger(form, c.command);
        EXPECT_EQ(users.FilterSql(), c.filter) << c.command;
        EXPECT_EQ(Names(form), c.names) << c.command;
    }

    // The search text is quoted; "%" and "_" stay wildcards.
    const struct {
        const char* answer;
        QStringList names;
    } searches[] = {
        {"o'b", {"Ola O'Brien"}},                 // a quote is just a letter
        {"lager", {"Ola O'Brien", "Per 100% Pettersen"}},  // department, any case
        {"lager_", {"Ola O'Brien"}},              // "_" is one character
        {"100%", {"Per 100% Pettersen"}},
        {"selger", {"Kari Nordmann"}},            // title
        {"ga", {"Gamle Ansatt"}},                 // log-on name
        {"x' OR '1'='1", {}},
        {"\\", {}},
    };
    for (const auto& s : searches) {
        prompter_->Input(QString::fromUtf8(s.answer));
        Trigger(form, "Filtrer etter ...");
        EXPECT_EQ(Names(form), s.names) << s.answer;
        EXPECT_TRUE(users.Filtered());
    }
    const Kind kinds[] = {Kind::Input};
    EXPECT_EQ(prompter_->events().front().kind, kinds[0]);
    EXPECT_EQ(prompter_->events().front().text, "Søk etter:");
    EXPECT_TRUE(Messages().isEmpty()) << Said();

    // An empty answer leaves the filter as it was.
    const QString before = users.FilterSql();
    prompter_->CancelInput();
    Trigger(form, "Filter");
    EXPECT_EQ(users.FilterSql(), before);
    form.close();
}

TEST_F(UserListFormTest, AFailingFilterStatementShowsTheServersError) {
    UserListForm form;
    form.show();
    Exec("ALTER TABLE users DROP COLUMN title");
    prompter_->Input("kari");
    form.Command("Filter")->trigger();
    ASSERT_EQ(Messages().size(), 1);
    EXPECT_TRUE(Messages()[0].startsWith("FEIL: ")) << Said();
    EXPECT_TRUE(Messages()[0].contains("title")) << Said();
    form.close();
}

TEST_F(UserListFormTest, InactiveUsersAreHiddenOnceTheListWasClosed) {
    {
        UserListForm form;
        form.show();
        EXPECT_EQ(Names(form).size(), 4);
        form.close();
    }
    EXPECT_EQ(dm_.UsersTable().FilterSql(), "activ=1");
    UserListForm again;
    again.show();
    EXPECT_FALSE(Names(again).contains("Gamle Ansatt"));
    EXPECT_EQ(Names(again).size(), 3);
    again.close();
}

TEST_F(UserListFormTest, DeleteAsksWithNoPreselected) {
    UserListForm form;
    form.show();
    Table& users = dm_.UsersTable();
    ASSERT_TRUE(users.Locate("id", ola_));
    prompter_->No();
    form.Command("Slett")->trigger();
    ASSERT_EQ(prompter_->events().size(), 1u);
    EXPECT_EQ(prompter_->events()[0].kind, Kind::YesNo);
    EXPECT_EQ(prompter_->events()[0].text, "Slette denne posten?");
    EXPECT_FALSE(prompter_->events()[0].defaultYes);
    EXPECT_EQ(Scalar(QString("SELECT COUNT(*) FROM users WHERE id=%1").arg(ola_)), "1");
    EXPECT_TRUE(Messages().isEmpty());

    prompter_->Yes();
    form.Command("Slett")->trigger();
    EXPECT_EQ(Scalar(QString("SELECT COUNT(*) FROM users WHERE id=%1").arg(ola_)), "0");
    EXPECT_EQ(form.model()->rowCount(), 3);
    EXPECT_TRUE(Messages().isEmpty());
    form.close();
}

TEST_F(UserListFormTest, TheAdministratorCommandsNeedTheAdminRightOnUsers) {
    const struct {
        const char* rights;
        bool admin;
    } cases[] = {
        {"users=RW;\r\n", false},
        {"users=RWDIA;\r\n", true},
    };
    for (const auto& c : cases) {
        SetRights(c.rights);
        UserListForm form;
        form.show();
        for (const char* command : {"Slett", "Tilgang", "Brukertilgang", "Bytt til denne brukeren"})
            EXPECT_EQ(form.Command(command)->isEnabled(), c.admin) << c.rights << " " << command;
        EXPECT_TRUE(form.Command("Rediger")->isEnabled());
        form.Command("Tilgang")->trigger();
        EXPECT_EQ(form.accessForm() != nullptr, c.admin);
        form.close();
    }
}

TEST_F(UserListFormTest, SwitchingToAUserTakesItsLogonValues) {
    ctx_.logon().CurrentServer = "db.firma.no";
    ctx_.logon().CurrentPassword = "hemmelig";
    ctx_.logon().CurrentCompanyId = 3;
    int told = 0;
    UserListForm::SetUserSwitchedHandler([&] { ++told; });
    UserListForm form;
    form.show();
    Table& users = dm_.UsersTable();

    // Kari: group 100, company 7, administrator of users.
    ASSERT_TRUE(users.Locate("id", kari_));
    form.Command("Bytt til denne brukeren")->trigger();
    const LogonValues& l = ctx_.logon();
    EXPECT_EQ(l.CurrentUserId, kari_);
    EXPECT_EQ(l.CurrentGroupId, 100);
    EXPECT_EQ(l.CurrentInitials, "KN");
    EXPECT_EQ(l.CurrentRealName, "Kari Nordmann");
    EXPECT_EQ(l.CurrentUserName, "kn");
    EXPECT_EQ(l.CurrentDepartment, "Salg");
    EXPECT_EQ(l.CurrentCompanyId, 7);
    EXPECT_EQ(l.UserRights, "users=RWDIA;\r\norders=RW;\r\n");
    EXPECT_EQ(l.CurrentServer, "db.firma.no");
    EXPECT_EQ(l.CurrentPassword, "hemmelig");
    EXPECT_TRUE(l.AdminMode);
    EXPECT_EQ(users.FilterSql(), "defaultgroup=100");
    EXPECT_EQ(told, 1);

    // Ola: group 149, no company (the company stays), no rights at all.
    ctx_.logon().AdminMode = false;  // as a user who logged on with an account
    users.SetFilterSql("");
    ASSERT_TRUE(users.Locate("id", ola_));
    form.Command("Bytt til denne brukeren")->trigger();
    EXPECT_EQ(l.CurrentUserId, ola_);
    EXPECT_EQ(l.CurrentGroupId, 149);
    EXPECT_EQ(l.CurrentCompanyId, 7);
    EXPECT_EQ(l.UserRights, "");
    EXPECT_EQ(users.FilterSql(), "defaultgroup=149");
    EXPECT_EQ(told, 2);
    // The commands follow the new rights.
    EXPECT_FALSE(form.Command("Tilgang")->isEnabled());
    EXPECT_FALSE(form.Command("Bytt til denne brukeren")->isEnabled());
    form.close();
    UserListForm::SetUserSwitchedHandler(nullptr);
}

TEST_F(UserListFormTest, NewOpensTheRecordWindowAndSaveWritesTheRow) {
    ctx_.logon().CurrentUserId = kari_;
    UserListForm form;
    form.show();
    form.Command("Ny ansatt")->trigger();
    UserDataForm* data = form.dataForm();
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(data->isVisible());
    EXPECT_EQ(dm_.UsersTable().State(), DatasetState::Insert);
    EXPECT_EQ(data->windowTitle(), "Brukerdata []");
    EXPECT_TRUE(data->Command("Lagre")->isEnabled());
    EXPECT_FALSE(data->Command("Ny ansatt")->isEnabled());
    ASSERT_TRUE(data->Edit("initials")->SetUserText("TN"));
    ASSERT_TRUE(data->Edit("realname")->SetUserText("Tone Ny"));
    data->Command("Lagre")->trigger();
    EXPECT_TRUE(Messages().isEmpty()) << Said();
    EXPECT_EQ(Scalar("SELECT CONCAT(initials, '|', user) FROM users WHERE realname='Tone Ny'"),
              "TN|" + std::to_string(kari_));
    const std::string id = Scalar("SELECT id FROM users WHERE realname='Tone Ny'");
    EXPECT_EQ(data->windowTitle(), "Brukerdata [" + QString::fromStdString(id) + "]");
    EXPECT_FALSE(data->Command("Lagre")->isEnabled());
    EXPECT_EQ(form.model()->rowCount(), 5);

    // "Rediger" shows the row the list is on.
    ASSERT_TRUE(dm_.UsersTable().Locate("id", per_));
    form.Command("Rediger")->trigger();
    EXPECT_EQ(data->Edit("realname")->text(), "Per 100% Pettersen");
    EXPECT_EQ(data->windowTitle(), QString("Brukerdata [%1]").arg(per_));
    form.close();
}

TEST_F(UserListFormTest, ClosingTheListClosesAndFreesItsWindows) {
    UserListForm form;
    form.show();
    form.Command("Rediger")->trigger();
    form.Command("Tilgang")->trigger();
    QPointer<UserDataForm> data = form.dataForm();
    QPointer<UserAccessForm> access = form.accessForm();
    ASSERT_TRUE(data && access);
    EXPECT_TRUE(data->isVisible() && access->isVisible());
    form.close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(data.isNull());
    EXPECT_TRUE(access.isNull());
}

TEST_F(UserListFormTest, DocumentEntriesComeInALaterVersion) {
    UserListForm form;
    form.show();
    form.Command("Dokument")->trigger();
    form.Command("Dokumenter")->trigger();
    EXPECT_EQ(Messages(), (QStringList{"Varlokken 6: Kommer i en senere versjon", "Varlokken 6: Kommer i en senere versjon"}));
    form.close();
}

}  // namespace
