// The user access window: the rights grid read from and written to the row's rights string,
// navigation, "Sett tilgangstabell", and "Opprett på server" creating a real account on the
// test server, granted on the company's schema only.
#include <QTableWidget>

#include <mysql.h>

#include "UsersWindowFixture.h"
#include "data/Rights.h"
#include "ui/DetailSlider.h"
#include "data/ui/UserAccessForm.h"
#include "ui/DbLineEdit.h"
#include "ui/DbMemo.h"

namespace {

// Rows of the grid by rights key.
int RowOf(const char* key) {
    const auto& keys = RightsKeys();
    for (std::size_t i = 0; i < keys.size(); ++i)
        if (QString::fromLatin1(keys[i].key) == QString::fromLatin1(key)) return static_cast<int>(i);
    return -1;
}

class UserAccessFormTest : public UsersWindowFixture {
  protected:
    UserAccessFormTest() {
        kari_ = AddUser("KN", "Kari Nordmann", "parameter, passwd",
                        "'orders=R;\\r\\ncompany=RWD;\\r\\nalbum=X1;\\r\\n', 'kari1'");
        ola_ = AddUser("OB", "Ola Berg", "parameter", "'users=RWDIAF;\\r\\n'");
        dm_.UsersTable().SetOrder("id");
        EXPECT_TRUE(dm_.OpenTableWithRights(dm_.UsersTable(), true, false));
    }
    ~UserAccessFormTest() override {
        for (const QString& account : accounts_) Exec("DROP USER IF EXISTS " + account);
    }
    // The letters checked on one row, as "RWD".
    static QString Letters(const UserAccessForm& form, const char* key) {
        QString out;
        for (int letter = 0; letter < 6; ++letter)
            if (form.RightChecked(RowOf(key), letter)) out += kRightsLetters[static_cast<std::size_t>(letter)];
        return out;
    }
    // Every checked box, as "key=letters" in grid order.
    static QStringList Checked(const UserAccessForm& form) {
        QStringList out;
        for (const RightsKey& k : RightsKeys())
            if (const QString l = Letters(form, k.key); !l.isEmpty()) out << QString::fromLatin1(k.key) + "=" + l;
        return out;
    }
    std::string Parameter(int id) const { return Scalar(QString("SELECT parameter FROM users WHERE id=%1").arg(id)); }
    // Whether the account can log on, and the first column of a statement run as it.
    std::string AsAccount(const QString& user, const QString& password, const QString& schema, const QString& sql,
                          bool* connected = nullptr) const {
        MYSQL* m = mysql_init(nullptr);
        const std::string u = user.toStdString(), p = password.toStdString(), s = schema.toStdString();
        const bool ok = mysql_real_connect(m, db_.server().host.c_str(), u.c_str(), p.c_str(),
                                           s.empty() ? nullptr : s.c_str(), db_.server().port, nullptr, 0);
        if (connected) *connected = ok;
        std::string out;
        if (ok) {
            const std::string q = sql.toStdString();
            if (mysql_query(m, q.c_str()) == 0) {
                if (MYSQL_RES* r = mysql_store_result(m)) {
                    if (MYSQL_ROW row = mysql_fetch_row(r)) out = row[0] ? row[0] : "NULL";
                    mysql_free_result(r);
                }
            } else {
                out = "ERROR";
            }
        }
        mysql_close(m);
        return out;
    }
    int kari_ = 0, ola_ = 0;
    QStringList accounts_;
};

TEST_F(UserAccessFormTest, TheGridHasTheRightsKeysAndTheSixLetters) {
    UserAccessForm form;
    form.show();
    QTableWidget* grid = form.rightsGrid();
    ASSERT_EQ(grid->rowCount(), 24);
    ASSERT_EQ(grid->columnCount(), 6);
    const QStringList captions = {"Tilbud",    "Ordre",      "Innkjøp",    "Faktura",      "Varelinjer", "Kalender",
                                  "Prosjekt",  "System",     "Dokumenter", "Nyheter",      "Utstyr",     "Jobber",
                                  "Pakker",    "Vareregister", "Varegrupper", "Kontoplan", "Posteringer", "Grupper",
                                  "Personal",  "Reklame",    "Firmaer",    "Kontakter",    "Oppgaver",   "Deltagere"};
    for (int row = 0; row < 24; ++row) EXPECT_EQ(grid->verticalHeaderItem(row)->text(), captions[row]);
    const QStringList letters = {"Les", "Skriv", "Slett", "Ny", "Admin", "Favoritt"};
    for (int c = 0; c < 6; ++c) EXPECT_EQ(grid->horizontalHeaderItem(c)->text(), letters[c]);
    EXPECT_EQ(form.windowTitle(), QString("Kari Nordmann [%1]").arg(kari_));
    form.close();
}

TEST_F(UserAccessFormTest, TheAdministratorSeesTheStoredLettersAndSaveKeepsThem) {
    ASSERT_TRUE(ctx_.logon().AdminMode);
    UserAccessForm form;
    form.show();
    EXPECT_EQ(Checked(form), (QStringList{"orders=R", "company=RWD"}));
    form.Command("Lagre")->trigger();
    EXPECT_TRUE(Messages().isEmpty()) << Said();
    // Only what was stored, with the web portal's entry carried over.
    EXPECT_EQ(Parameter(kari_), WriteRightsString({{"orders", {true, false, false, false, false, false}},
                                                    {"company", {true, true, true, false, false, false}}},
                                                   "album=X1;\r\n")
                                    .toStdString());
    const QString saved = QString::fromStdString(Parameter(kari_));
    EXPECT_TRUE(saved.contains("orders=R;")) << saved.toStdString();
    EXPECT_TRUE(saved.contains("album=X1;")) << saved.toStdString();
    EXPECT_FALSE(saved.contains("users=")) << saved.toStdString();
    EXPECT_FALSE(ReadRightsString(saved, "users", u'A'));
    form.close();
}

TEST_F(UserAccessFormTest, BoxesRoundTripAndNavigationReadsEachRow) {
    UserAccessForm form;
    form.show();
    // Check some boxes, clear one: the row goes into edit mode.
    form.SetRightChecked(RowOf("orders"), 1, true);
    EXPECT_TRUE(dm_.UsersTable().IsEditing());
    form.SetRightChecked(RowOf("company"), 2, false);
    form.SetRightChecked(RowOf("participant"), 5, true);
    form.SetRightChecked(RowOf("users"), 4, true);
    form.Command("Lagre")->trigger();
    EXPECT_FALSE(dm_.UsersTable().IsEditing());
    const QString saved = QString::fromStdString(Parameter(kari_));
    const struct {
        const char* key;
        const char* letters;
    } expected[] = {{"orders", "RW"}, {"company", "RW"}, {"participant", "F"}, {"users", "A"}, {"offer", ""}};
    for (const auto& e : expected) {
        for (int letter = 0; letter < 6; ++letter) {
            const QChar l = kRightsLetters[static_cast<std::size_t>(letter)];
            EXPECT_EQ(ReadRightsString(saved, e.key, l), QString::fromLatin1(e.letters).contains(l))
                << e.key << " " << QString(l).toStdString();
        }
    }
    EXPECT_TRUE(saved.contains("album=X1;"));

    // Moving reads the next row's boxes, and back again.
    form.Command("Neste post")->trigger();
    EXPECT_EQ(form.windowTitle(), QString("Ola Berg [%1]").arg(ola_));
    EXPECT_EQ(Checked(form), QStringList{"users=RWDIAF"});
    form.Command("Første post")->trigger();
    EXPECT_EQ(Checked(form), (QStringList{"orders=RW", "users=A", "company=RW", "participant=F"}));

    // "Avbryt" puts the stored boxes back.
    form.SetRightChecked(RowOf("offer"), 0, true);
    form.Command("Avbryt")->trigger();
    EXPECT_EQ(Letters(form, "offer"), "");
    EXPECT_FALSE(dm_.UsersTable().IsEditing());
    form.close();
}

TEST_F(UserAccessFormTest, SetRightsTableFillsTheMemoWithoutSaving) {
    UserAccessForm form;
    form.show();
    form.detailSlider()->SetLevel(2);
    const std::string before = Parameter(kari_);
    form.SetRightChecked(RowOf("offer"), 0, true);
    form.Command("Sett tilgangstabell")->trigger();
    EXPECT_TRUE(dm_.UsersTable().IsEditing());
    EXPECT_EQ(Parameter(kari_), before);
    const QString memo = form.Memo("parameter")->toPlainText();
    EXPECT_TRUE(ReadRightsString(memo, "offer", u'R')) << memo.toStdString();
    EXPECT_TRUE(memo.contains("album=X1;"));
    dm_.UsersTable().Cancel();

    // The slider's level is stored with the window's position and comes back.
    form.close();
    UserAccessForm again;
    again.show();
    EXPECT_EQ(again.detailSlider()->Level(), 2);
    EXPECT_TRUE(again.Memo("parameter")->isVisible());
    again.detailSlider()->SetLevel(0);
    EXPECT_FALSE(again.Memo("parameter")->isVisible());
    EXPECT_FALSE(again.Edit("username")->isVisible());
    again.close();
}

TEST_F(UserAccessFormTest, MainMenuCallsTheMainWindow) {
    int called = 0;
    UserAccessForm::SetMainMenuHandler([&] { ++called; });
    UserAccessForm form;
    form.show();
    form.Command("Hovedmeny")->trigger();
    EXPECT_EQ(called, 1);
    UserAccessForm::SetMainMenuHandler(nullptr);
    form.close();
}

TEST_F(UserAccessFormTest, CreateOnServerRefusesShortNamesAndPasswords) {
    UserAccessForm form;
    form.show();
    const struct {
        const char* name;
        const char* password;
    } cases[] = {{"ab", "abcd"}, {"abc", "abc"}, {"", ""}, {"  ab  ", "abcdef"}};
    for (const auto& c : cases) {
        prompter_->ClearEvents();
        ASSERT_TRUE(form.Edit("username")->SetUserText(c.name));
        ASSERT_TRUE(form.Edit("passwd")->SetUserText(c.password));
        form.Command("Opprett på server")->trigger();
        EXPECT_EQ(Messages(), QStringList{"FEIL: Passord eller brukernavn er for kort"}) << c.name << "/" << c.password;
        EXPECT_EQ(Scalar(QString("SELECT COUNT(*) FROM mysql.user WHERE User='%1'").arg(QString(c.name).trimmed())), "0");
    }
    dm_.UsersTable().Cancel();
    form.close();
}

TEST_F(UserAccessFormTest, CreateOnServerMakesAnAccountOnThisSchemaOnly) {
    // Names unlikely to clash with another test run on the same server.
    // Always long enough to be taken: a process id ending in 0-9 once made "q7", too short.
    const QString name = "q" + QString::number(getpid() % 100).rightJustified(2, u'0');
    const QString quoted = "o'" + QString::number(getpid() % 1000).rightJustified(3, u'0');
    for (const QString& n : {name, quoted}) accounts_ << "'" + QString(n).replace("'", "''") + "'@'%'";
    for (const QString& a : accounts_) Exec("DROP USER IF EXISTS " + a);
    // A schema whose name the unescaped "_" of a grant would also match.
    QString lookalike = Schema();
    lookalike[1] = u'x';
    Exec("CREATE DATABASE `" + lookalike + "`; CREATE TABLE `" + lookalike + "`.t (a int); INSERT INTO `" + lookalike +
         "`.t VALUES (1)");

    UserAccessForm form;
    form.show();
    const struct {
        QString name;
        QString password;
    } cases[] = {{name, "p4ss"}, {quoted, "hemme'lig\\"}};
    for (const auto& c : cases) {
        prompter_->ClearEvents();
        ASSERT_TRUE(form.Edit("username")->SetUserText(c.name));
        ASSERT_TRUE(form.Edit("passwd")->SetUserText(c.password));
        form.Command("Opprett på server")->trigger();
        EXPECT_EQ(Messages(), QStringList{"Informasjon: Brukeren " + c.name + " er opprettet på serveren."}) << Said();
        // The row's own changes were saved with it.
        EXPECT_FALSE(dm_.UsersTable().IsEditing());
        EXPECT_EQ(Scalar(QString("SELECT username FROM users WHERE id=%1").arg(kari_)), c.name.toStdString());

        const QString account = "'" + QString(c.name).replace("'", "''") + "'@'%'";
        EXPECT_EQ(Scalar("SELECT COUNT(*) FROM mysql.user WHERE User='" + QString(c.name).replace("'", "''") +
                         "' AND Host='%'"),
                  "1");
        // The account logs on and works on the company's schema ...
        bool connected = false;
        EXPECT_EQ(AsAccount(c.name, c.password, Schema(), "SELECT COUNT(*) FROM users", &connected), "2");
        EXPECT_TRUE(connected);
        EXPECT_EQ(AsAccount(c.name, c.password, Schema(), "UPDATE users SET doorkey='1' WHERE id=0"), "");
        // ... but reaches neither the server's own tables nor another schema.
        EXPECT_EQ(AsAccount(c.name, c.password, "", "SELECT COUNT(*) FROM mysql.user"), "ERROR");
        EXPECT_EQ(AsAccount(c.name, c.password, "", "SELECT a FROM `" + lookalike + "`.t"), "ERROR");
        EXPECT_EQ(AsAccount(c.name, c.password, Schema(), "DROP TABLE users"), "ERROR");
        EXPECT_EQ(AsAccount(c.name, "wrong", Schema(), "SELECT 1", &connected), "");
        EXPECT_FALSE(connected);
        // The grants: only the four on this schema; nothing on *.* but the right to log on.
        const std::string grant = Scalar(
            "SELECT GROUP_CONCAT(CONCAT(Db, ':', Select_priv, Insert_priv, Update_priv, Delete_priv, Drop_priv)) "
            "FROM mysql.db WHERE User='" + QString(c.name).replace("'", "''") + "'");
        EXPECT_EQ(grant, QString(Schema()).replace("_", "\\_").toStdString() + ":YYYYN");
        EXPECT_EQ(Scalar("SELECT CONCAT(Select_priv, Insert_priv, Update_priv, Delete_priv) FROM mysql.user "
                         "WHERE User='" + QString(c.name).replace("'", "''") + "'"),
                  "NNNN");
        EXPECT_FALSE(LogMentions(c.password)) << "the password reached the log";
        Q_UNUSED(account);
    }

    // The server's refusal (the account exists already) is shown, without the password.
    prompter_->ClearEvents();
    ASSERT_TRUE(form.Edit("username")->SetUserText(name));
    ASSERT_TRUE(form.Edit("passwd")->SetUserText("p4ss"));
    form.Command("Opprett på server")->trigger();
    ASSERT_EQ(Messages().size(), 1) << Said();
    EXPECT_TRUE(Messages()[0].startsWith("FEIL: ")) << Said();
    EXPECT_TRUE(Messages()[0].contains("CREATE USER")) << Said();
    EXPECT_FALSE(Messages()[0].contains("p4ss")) << Said();
    EXPECT_TRUE(LogMentions("SQL ERROR:"));
    EXPECT_FALSE(LogMentions("p4ss"));
    Exec("DROP DATABASE `" + lookalike + "`");
    form.close();
}

}  // namespace
