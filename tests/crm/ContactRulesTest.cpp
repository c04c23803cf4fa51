// The contact query with its condition on the server: the statement, the company
// restriction, searches with awkward names, failing statements and the list's commands.
#include "CrmFixture.h"
#include "crm/ContactRules.h"
#include "crm/RelatedLists.h"

namespace {

class ContactRulesTest : public CrmFixture {
  protected:
    void SetUp() override {
        bygg_ = AddCompany("Bygg AS");
        ror_ = AddCompany("Rør AS");
        AddContact("Kari O'Hara", QString::number(bygg_));
        AddContact("Per \\ Backe", QString::number(bygg_));
        AddContact("Ola 50% Nordmann", QString::number(ror_));
        AddContact("Lise Uten", "0");
        AddContact("Nils Null", "NULL");
        Exec(
            "UPDATE contact SET department='Salg_Nord', contact.email='x@y.no' WHERE "
            "realname='Lise Uten'");
    }
    QStringList Names() {
        Query& q = dm_.ContactQuery();
        return q.IsActive() ? Column(q, "realname") : QStringList{"<closed>"};
    }

    int bygg_ = 0;
    int ror_ = 0;
};

TEST_F(ContactRulesTest, TheStatementIsBuiltFromTheConditionAndAnIncompleteOneIsDropped) {
    const QString base =
        "SELECT contact.*, companyname FROM contact LEFT JOIN company ON "
        "contact.companyid=company.id";
    EXPECT_EQ(ContactQuerySql("", "realname"), base + " ORDER BY realname");
    EXPECT_EQ(ContactQuerySql("companyid=5", "realname"),
              base + " WHERE companyid=5 ORDER BY realname");
    EXPECT_EQ(ContactQuerySql("companyid=", "realname"), base + " ORDER BY realname");
    EXPECT_EQ(crm_.ContactCondition(), "");

    ASSERT_TRUE(RestrictContactsToCompany(bygg_));
    EXPECT_EQ(crm_.ContactCondition(), "companyid=" + QString::number(bygg_));
    EXPECT_EQ(dm_.ContactQuery().Sql(),
              base + " WHERE companyid=" + QString::number(bygg_) + " ORDER BY realname");
    EXPECT_EQ(Names(), (QStringList{"Kari O'Hara", "Per \\ Backe"}));
    EXPECT_EQ(Column(dm_.ContactQuery(), "companyname"), (QStringList{"Bygg AS", "Bygg AS"}));

    crm_.SetContactCondition("companyid=");
    ASSERT_TRUE(RunContactQuery());
    EXPECT_EQ(Names().size(), 5);
}

TEST_F(ContactRulesTest, TheCompanyFiltersOfTheList) {
    ASSERT_TRUE(ShowContactsWithCompany());
    EXPECT_EQ(Names(), (QStringList{"Kari O'Hara", "Ola 50% Nordmann", "Per \\ Backe"}));
    ASSERT_TRUE(ShowContactsWithoutCompany());  // 0 and NULL alike
    EXPECT_EQ(Names(), (QStringList{"Lise Uten", "Nils Null"}));
    ASSERT_TRUE(ShowAllContacts());
    EXPECT_EQ(crm_.ContactCondition(), "");
    EXPECT_EQ(Names().size(), 5);
}

TEST_F(ContactRulesTest, EverySearchQuotesTheTextAndKeepsTheWildcards) {
    const struct {
        QString text;
        QStringList names;
    } cases[] = {
        {"'", {"Kari O'Hara"}},
        {"\\", {"Per \\ Backe"}},
        {"50%", {"Ola 50% Nordmann"}},
        {"%", {"Kari O'Hara", "Lise Uten", "Nils Null", "Ola 50% Nordmann", "Per \\ Backe"}},
        {"salg_", {"Lise Uten"}},  // department
        {"g_n", {"Lise Uten"}},    // "_" is any one character
        {"x@y", {"Lise Uten"}},    // contact.email
        {"') OR ('1'='1", {}},
        {QString::fromUtf8("😀"), {}},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(FilterContacts(c.text)) << c.text.toStdString();
        EXPECT_EQ(Names(), c.names) << c.text.toStdString();
    }
    EXPECT_TRUE(Messages().empty());

    // An empty answer keeps the last condition.
    const QString condition = crm_.ContactCondition();
    prompter_->Input("");
    EXPECT_FALSE(AskAndFilterContacts());
    EXPECT_EQ(crm_.ContactCondition(), condition);
}

TEST_F(ContactRulesTest, AFailingStatementIsShownAndTheQueryLeftClosed) {
    crm_.SetContactCondition("nosuchcolumn=1");
    EXPECT_FALSE(RunContactQuery());
    EXPECT_FALSE(dm_.ContactQuery().IsActive());
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_TRUE(Messages()[0].startsWith("FEIL: Kan ikke hente kontaktene:\n"))
        << Messages()[0].toStdString();
    EXPECT_TRUE(Messages()[0].contains("nosuchcolumn"));
    bool logged = false;
    for (const QString& line : ctx_.log().Lines())
        logged |= line.contains("SQL ERROR: SELECT contact.*");
    EXPECT_TRUE(logged);
    // The next good condition opens it again.
    ASSERT_TRUE(ShowAllContacts());
    EXPECT_EQ(Names().size(), 5);
}

TEST_F(ContactRulesTest, ClickingATitleOrdersTheQueryByThatColumn) {
    ASSERT_TRUE(ShowAllContacts());
    ASSERT_TRUE(SortContacts("companyname"));
    EXPECT_EQ(Column(dm_.ContactQuery(), "companyname").last(), QString::fromUtf8("Rør AS"));
    EXPECT_TRUE(dm_.ContactQuery().Sql().endsWith("ORDER BY `companyname`"));
    EXPECT_FALSE(SortContacts("realname; DROP TABLE contact"));
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM contact"), "5");
}

TEST_F(ContactRulesTest, ANewContactBelongsToTheCompanyTheWindowAskedFor) {
    ASSERT_TRUE(ShowCompanyContacts(ror_));
    EXPECT_EQ(crm_.NewContactCompanyId(), ror_);
    Query& q = dm_.ContactQuery();
    ASSERT_TRUE(q.Append());
    q.SetString("realname", "Ny Person");
    ASSERT_TRUE(q.Post()) << q.LastError().toStdString();
    EXPECT_EQ(Scalar("SELECT CONCAT(companyid,'/',user,'/',usergroup,'/',rwx_all) FROM contact "
                     "WHERE realname='Ny Person'"),
              std::to_string(ror_) + "/3/2/0");

    // Closing the list forgets the company and the condition.
    ContactListClosed();
    EXPECT_EQ(crm_.NewContactCompanyId(), 0);
    EXPECT_EQ(crm_.ContactCondition(), "");
    EXPECT_EQ(Names().size(), 6);
    ASSERT_TRUE(q.Append());
    q.SetString("realname", "Fri Person");
    ASSERT_TRUE(q.Post());
    EXPECT_EQ(Scalar("SELECT companyid FROM contact WHERE realname='Fri Person'"), "0");
}

TEST_F(ContactRulesTest, TyingAContactToTheCurrentCompany) {
    // Nothing happens while the company table is closed.
    ASSERT_TRUE(ShowAllContacts());
    Query& q = dm_.ContactQuery();
    ASSERT_TRUE(q.Locate("realname", "Lise Uten"));
    EXPECT_FALSE(TieContactToCurrentCompany());
    EXPECT_EQ(TieContactCaption(), "Tilknytt til ");

    ASSERT_TRUE(dm_.OpenTableWithRights(dm_.CompanyTable(), false, false));
    ASSERT_TRUE(dm_.CompanyTable().Locate("id", ror_));
    EXPECT_EQ(TieContactCaption(), QString::fromUtf8("Tilknytt til Rør AS"));
    ASSERT_TRUE(TieContactToCurrentCompany());
    EXPECT_EQ(Scalar("SELECT companyid FROM contact WHERE realname='Lise Uten'"),
              std::to_string(ror_));
    EXPECT_EQ(q.AsString("companyname"), QString::fromUtf8("Rør AS"));  // read again

    // "X" removes the tie (the window saves it).
    ASSERT_TRUE(RemoveContactCompany(q));
    EXPECT_EQ(q.AsInteger("companyid"), 0);
    ASSERT_TRUE(q.Post());
    EXPECT_EQ(Scalar("SELECT companyid FROM contact WHERE realname='Lise Uten'"), "0");
    EXPECT_EQ(ContactWindowCaption(q), "Kontakt [" + q.AsString("id") + "]");
}

TEST_F(ContactRulesTest, RelatedListsGetTheirConditions) {
    EXPECT_EQ(CompanyRelatedCondition(RelatedList::Documents, 7), "document.companyid=7");
    EXPECT_EQ(CompanyRelatedCondition(RelatedList::TimeRegistrations, 7), "external_company=7");
    EXPECT_EQ(CompanyRelatedCondition(RelatedList::ItemTransactions, 7), "customerid=7");
    for (RelatedList l : {RelatedList::Entries, RelatedList::Offers, RelatedList::Orders,
                          RelatedList::PurchaseOrders, RelatedList::Invoices})
        EXPECT_EQ(CompanyRelatedCondition(l, 7), "companyid=7");
    EXPECT_EQ(ContactRelatedCondition(RelatedList::Documents, 9), "document.userid=9");
    EXPECT_EQ(ContactRelatedCondition(RelatedList::Calendar, 9), "external_contact=9");

    // A list that is not there yet says so; a registered one is shown with its condition.
    EXPECT_FALSE(ShowCompanyRelated(RelatedList::Orders, 7));
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0], "Varlokken 6: Kommer i en senere versjon");
    QString shown;
    RegisterRelatedList(RelatedList::Contacts,
                        [&](const QString& condition) { shown = condition; });
    EXPECT_TRUE(ShowCompanyRelated(RelatedList::Contacts, bygg_));
    RegisterRelatedList(RelatedList::Contacts, {});
    EXPECT_EQ(shown, "companyid=" + QString::number(bygg_));
    EXPECT_EQ(crm_.NewContactCompanyId(), bygg_);
    EXPECT_EQ(Names(), (QStringList{"Kari O'Hara", "Per \\ Backe"}));
}

}  // namespace
