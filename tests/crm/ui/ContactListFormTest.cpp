// The contact list through its own commands: searches with awkward text, the company
// filters, sorting, type-ahead, a new contact for a company, closing, tying a contact to the
// current company, the related lists and the shortcuts.
#include <QAction>
#include <QLineEdit>
#include <QTableView>

#include "CrmWindowsFixture.h"
#include "crm/ContactRules.h"
#include "crm/RelatedLists.h"
#include "crm/ui/ContactDataForm.h"
#include "crm/ui/ContactListForm.h"
#include "data/DataModule.h"
#include "ui/DbLineEdit.h"
#include "ui/WindowRegistry.h"

namespace {

class ContactListFormTest : public CrmWindowsFixture {
  protected:
    void SetUp() override {
        bygg_ = AddCompany("Bygg & Betong AS");
        ror_ = AddCompany("Rør-Eksperten AS");
        kari_ =
            AddContact("Kari O'Hara", QString::number(bygg_), ", mobilephone", ", '900 11 222'");
        AddContact("Per \\ Backe", QString::number(bygg_));
        AddContact("Ola 50% Nordmann", QString::number(ror_));
        AddContact(QString::fromUtf8("Åse Lie"), "0");
        AddContact("Nils Null", "NULL");
        list_.show();
    }
    QStringList Names() {
        Query& q = dm_.ContactQuery();
        return q.IsActive() ? Column(q, "realname") : QStringList{"<closed>"};
    }
    static QStringList All() {
        return {"Kari O'Hara", "Nils Null", "Ola 50% Nordmann", "Per \\ Backe",
                QString::fromUtf8("Åse Lie")};
    }
    void Run(const char* command) { list_.Command(command)->trigger(); }

    int bygg_ = 0;
    int ror_ = 0;
    int kari_ = 0;
    ContactListForm list_;
    ContactDataForm data_;
};

TEST_F(ContactListFormTest, TheListShowsEveryContactWithItsCompany) {
    EXPECT_EQ(list_.windowTitle(), "Kontaktliste");
    EXPECT_EQ(Names(), All());
    QStringList titles;
    for (int c = 0; c < list_.model()->columnCount(); ++c)
        titles << list_.model()->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(titles, (QStringList{"Navn", "Mobiltelefon", "Direktetelefon", "Hjemmetelefon",
                                   "Epost", "Firma"}));
    EXPECT_EQ(list_.model()->CellText(0, 1), "900 11 222");
    EXPECT_EQ(list_.model()->CellText(0, 5), "Bygg & Betong AS");
}

TEST_F(ContactListFormTest, TheFilterQuotesWhatWasTypedAndAnEmptyAnswerChangesNothing) {
    const struct {
        QString typed;
        QStringList names;
    } cases[] = {
        {"'", {"Kari O'Hara"}}, {"\\", {"Per \\ Backe"}},     {"50%", {"Ola 50% Nordmann"}},
        {"%", All()},           {QString::fromUtf8("😀"), {}},  // latin1 names hold none: it finds
                                                               // nothing
        {"') OR ('1'='1", {}},
    };
    for (const auto& c : cases) {
        prompter_->Input(c.typed);
        Run("Filter");
        EXPECT_EQ(Names(), c.names) << c.typed.toStdString();
    }
    ASSERT_EQ(prompter_->events().size(), std::size(cases));
    EXPECT_EQ(prompter_->events()[0].text, "Søk etter:");
    EXPECT_TRUE(Messages().isEmpty()) << Messages().join(" | ").toStdString();

    prompter_->Input("Kari");
    Run("Filtrer etter ...");
    const QString condition = crm_.ContactCondition();
    prompter_->Input("");
    Run("Filter");
    prompter_->CancelInput();
    Run("Filter");
    EXPECT_EQ(crm_.ContactCondition(), condition);
    EXPECT_EQ(Names(), QStringList{"Kari O'Hara"});
}

TEST_F(ContactListFormTest, AFailingStatementLeavesTheListClosedAndSaysSo) {
    Exec("DROP TABLE company");
    Run("Oppdater");
    EXPECT_FALSE(dm_.ContactQuery().IsActive());
    ASSERT_EQ(Messages().size(), 1);
    EXPECT_TRUE(Messages()[0].startsWith("FEIL: Kan ikke hente kontaktene:"))
        << Messages()[0].toStdString();
    EXPECT_TRUE(LogMentions("SQL ERROR: "));
}

TEST_F(ContactListFormTest, TheCompanyFiltersAndShowAll) {
    Run("Tilknyttet et firma");
    EXPECT_EQ(Names(), (QStringList{"Kari O'Hara", "Ola 50% Nordmann", "Per \\ Backe"}));
    Run("Ikke tilknyttet et firma");  // 0 and NULL alike
    EXPECT_EQ(Names(), (QStringList{"Nils Null", QString::fromUtf8("Åse Lie")}));
    Run("Vis alle");
    EXPECT_EQ(crm_.ContactCondition(), "");
    EXPECT_EQ(Names(), All());
}

TEST_F(ContactListFormTest, ATitleClickSortsByThatColumnAndTypingFindsAName) {
    list_.model()->RequestSort(list_.model()->ColumnOf("companyname"));
    EXPECT_EQ(Column(dm_.ContactQuery(), "companyname").mid(2),
              (QStringList{"Bygg & Betong AS", "Bygg & Betong AS", "Rør-Eksperten AS"}));
    EXPECT_TRUE(dm_.ContactQuery().Sql().endsWith("ORDER BY `companyname`"))
        << dm_.ContactQuery().Sql().toStdString();
    list_.model()->RequestSort(list_.model()->ColumnOf("realname"));
    EXPECT_EQ(Names(), All());

    const struct {
        const char* typed;
        bool found;
        QString current;
    } cases[] = {
        {"p", true, "Per \\ Backe"},
        {"KARI O'", true, "Kari O'Hara"},
        {"åse", true, QString::fromUtf8("Åse Lie")},
        {"x", false, QString::fromUtf8("Åse Lie")},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(list_.TypeAhead(c.typed), c.found) << c.typed;
        EXPECT_EQ(dm_.ContactQuery().AsString("realname"), c.current) << c.typed;
    }
}

TEST_F(ContactListFormTest, ANewContactFromACompanysListBelongsToThatCompany) {
    list_.close();
    // What the company windows' "Kontakter" does.
    ASSERT_TRUE(ShowCompanyRelated(RelatedList::Contacts, ror_));
    EXPECT_TRUE(list_.isVisible());
    EXPECT_EQ(Names(), QStringList{"Ola 50% Nordmann"});
    EXPECT_EQ(crm_.NewContactCompanyId(), ror_);

    Run("Ny kontakt");
    EXPECT_TRUE(data_.isVisible());
    ASSERT_TRUE(data_.Field<DbLineEdit>("realname")->SetUserText("Ny O'Kontakt \\ 100%"));
    data_.Command("Lagre")->trigger();
    EXPECT_EQ(ScalarText("SELECT companyid FROM contact WHERE realname='Ny O''Kontakt \\\\ 100%'"),
              QString::number(ror_));
    EXPECT_TRUE(Messages().isEmpty()) << Messages().join(" | ").toStdString();

    // Closing forgets the company and the condition.
    list_.close();
    EXPECT_EQ(crm_.ContactCondition(), "");
    EXPECT_EQ(crm_.NewContactCompanyId(), 0);
    EXPECT_EQ(Names().size(), 6);
    list_.show();
    Run("Ny");
    ASSERT_TRUE(data_.Field<DbLineEdit>("realname")->SetUserText("Uten Firma"));
    data_.Command("Lagre")->trigger();
    EXPECT_EQ(ScalarText("SELECT IFNULL(companyid, 0) FROM contact WHERE realname='Uten Firma'"),
              "0");
}

TEST_F(ContactListFormTest, ShownByNameWithNewItStartsAContact) {
    list_.close();
    ASSERT_TRUE(ShowWindow("ContactListForm", "new"));
    EXPECT_TRUE(list_.isVisible());
    EXPECT_EQ(dm_.ContactQuery().State(), DatasetState::Insert);
    EXPECT_TRUE(data_.isVisible());
    data_.Command("Avbryt")->trigger();
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM contact"), "5");
}

TEST_F(ContactListFormTest, TieToCompanyTakesTheCurrentCompanyAndNamesIt) {
    Query& contacts = dm_.ContactQuery();
    Table& companies = dm_.CompanyTable();
    QAction* tie = list_.Command("Tilknytt til firma");
    ASSERT_NE(tie, nullptr);
    ASSERT_TRUE(contacts.Locate("realname", "Nils Null"));
    const QString nils = contacts.AsString("id");

    // Without an open company table nothing happens.
    tie->trigger();
    EXPECT_EQ(ScalarText("SELECT IFNULL(companyid, 'NULL') FROM contact WHERE id=" + nils), "NULL");
    EXPECT_EQ(tie->text(), "Tilknytt til ");

    ASSERT_TRUE(dm_.OpenTableWithRights(companies, true, false));
    ASSERT_TRUE(companies.Locate("id", ror_));
    EXPECT_EQ(tie->text(), "Tilknytt til Rør-Eksperten AS");
    ASSERT_TRUE(contacts.Locate("realname", "Nils Null"));
    tie->trigger();
    EXPECT_EQ(ScalarText("SELECT companyid FROM contact WHERE id=" + nils), QString::number(ror_));
    EXPECT_EQ(contacts.AsString("companyname"), "Rør-Eksperten AS");

    // An empty company table ties nothing.
    Exec("DELETE FROM company");
    ASSERT_TRUE(companies.Refresh());
    EXPECT_EQ(tie->text(), "Tilknytt til ");
    ASSERT_TRUE(contacts.Locate("realname", "Kari O'Hara"));
    tie->trigger();
    EXPECT_EQ(ScalarText("SELECT companyid FROM contact WHERE id=" + QString::number(kari_)),
              QString::number(bygg_));
    EXPECT_TRUE(Messages().isEmpty()) << Messages().join(" | ").toStdString();
}

TEST_F(ContactListFormTest, DeleteAsksFirstAndLaterWindowsSaySo) {
    ASSERT_TRUE(dm_.ContactQuery().Locate("realname", "Nils Null"));
    prompter_->No();
    Run("Slett");
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM contact"), "5");
    prompter_->Yes();
    Run("Slett");
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM contact WHERE realname='Nils Null'"), "0");
    EXPECT_EQ(Names().size(), 4);
    EXPECT_TRUE(Messages().isEmpty()) << Messages().join(" | ").toStdString();

    for (const char* later : {"Dokumenter", "Kalenderoppføringer", "Eksporter / Importer",
                              "Formatér kontakter", "Hovedmeny"}) {
        prompter_->ClearEvents();
        Run(later);
        EXPECT_EQ(Messages(), QStringList{"Varlokken 6: Kommer i en senere versjon"}) << later;
    }
}

TEST_F(ContactListFormTest, TheCommandsCarryTheirShortcuts) {
    const Qt::Key ctrl = Qt::Key(Qt::CTRL);
    const struct {
        const char* command;
        QKeySequence key;
    } cases[] = {
        {"Ny kontakt", QKeySequence(ctrl | Qt::Key_N)},
        {"Rediger", QKeySequence(ctrl | Qt::Key_Return)},
        {"Slett", QKeySequence(ctrl | Qt::Key_Delete)},
        {"Oppdater", QKeySequence(Qt::Key_F5)},
        {"Filter", QKeySequence(ctrl | Qt::Key_F)},
        {"Vis alle", QKeySequence(ctrl | Qt::Key_A)},
        {"Hovedmeny", QKeySequence(Qt::Key_F10)},
    };
    for (const auto& c : cases) {
        QAction* a = list_.Command(c.command);
        ASSERT_NE(a, nullptr) << c.command;
        EXPECT_EQ(a->shortcut(), c.key) << c.command;
        EXPECT_TRUE(list_.grid()->actions().contains(a)) << c.command;
    }
    // Enter and a double-click open the contact window on the row.
    ASSERT_TRUE(dm_.ContactQuery().Locate("realname", "Per \\ Backe"));
    PressKey(list_.grid(), Qt::Key_Return);
    EXPECT_TRUE(data_.isVisible());
    EXPECT_EQ(data_.Field<DbLineEdit>("realname")->text(), "Per \\ Backe");
}

}  // namespace
