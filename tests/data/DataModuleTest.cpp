// The data module's datasets on the server: the catalogue's datasets and tags, opening by
// rights, the log-on steps with their switches, finding rows by business keys, and the
// events every dataset shares.
#include <QDate>

#include "DataModuleFixture.h"
#include "data/Rights.h"

namespace {

using Kind = testsupport::ScriptedPrompter::Kind;

// The log-on's opening order.
const char* kLogonOrder[] = {"users",   "groups",     "company", "contact", "calendar", "product",
                             "productview", "package", "project", "subproject", "news", "document",
                             "asset",   "banner",     "jobs",    "items",   "orders",   "accounts",
                             "entries", "po",         "offer",   "invoice"};

class DataModuleTest : public DataModuleFixture {
protected:
    // PrepareTable or PrepareQuery, as the log-on calls it for the key.
    bool Prepare(const QString& key) {
        Dataset* d = dm_.DatasetByKey(key);
        if (auto* q = dynamic_cast<Query*>(d)) return dm_.PrepareQuery(*q, key);
        return dm_.PrepareTable(dm_.TableByKey(key));
    }
};

TEST_F(DataModuleTest, EveryCatalogueEntryHasItsDatasetAndNumber) {
    const struct {
        const char* key;
        int tag;
    } cases[] = {
        {"company", 101}, {"contact", 102}, {"document", 103}, {"news", 104},     {"project", 105},
        {"subproject", 106}, {"calendar", 107}, {"users", 108}, {"groups", 109},  {"product", 110},
        {"asset", 111},   {"banner", 112},  {"jobs", 113},     {"items", 114},    {"orders", 115},
        {"accounts", 116}, {"entries", 117}, {"po", 118},      {"offer", 119},    {"invoice", 120},
        {"productview", 0}, {"package", 0}, {"deviations", 0}, {"certificate", 0},
    };
    for (const auto& c : cases) {
        Dataset* d = dm_.DatasetByKey(c.key);
        ASSERT_NE(d, nullptr) << c.key;
        EXPECT_EQ(dm_.Tag(*d), c.tag) << c.key;
        EXPECT_EQ(dm_.KeyOf(*d), c.key);
    }
    EXPECT_EQ(dm_.DatasetByKey("unknown"), nullptr);
    EXPECT_EQ(dm_.DatasetByKey("nosuch"), nullptr);

    // The named accessors are the same datasets.
    EXPECT_EQ(dm_.DatasetByKey("orders"), &dm_.OrderTable());
    EXPECT_EQ(dm_.DatasetByKey("productview"), &dm_.ProductGroupTable());
    EXPECT_EQ(dm_.DatasetByKey("contact"), &dm_.ContactQuery());
    EXPECT_EQ(dm_.DatasetByKey("items"), &dm_.ItemsQuery());
    EXPECT_EQ(&dm_.JobsQuery(), &dm_.JobQuery());
    EXPECT_EQ(&dm_.TableByKey("document"), &dm_.DocumentTable());
    EXPECT_EQ(dm_.KeyOf(dm_.DocumentTable()), "document");
    EXPECT_EQ(dm_.Tag(dm_.DocumentTable()), 0);

    // The catalogue's order and filter; the entries filter is the current year.
    EXPECT_EQ(dm_.ProjectTable().Order(), "startdate, projectnumber");
    EXPECT_EQ(dm_.ProjectTable().FilterSql(), "projectstatus=10");
    EXPECT_EQ(dm_.UsersTable().FilterSql(), "");
    EXPECT_EQ(dm_.EntriesTable().FilterSql(), DataModule::EntriesYearFilter(QDate::currentDate().year()));
    EXPECT_EQ(DataModule::EntriesYearFilter(2012), "entrydate<='2012.12.31' AND entrydate>='2012.01.01'");
    EXPECT_EQ(dm_.ItemsQuery().Sql(), "select * from items where id=1");
    EXPECT_EQ(dm_.JobQuery().Sql(), "select * from jobs");
    EXPECT_EQ(dm_.ContactQuery().Sql(),
              "SELECT contact.*, companyname FROM contact LEFT JOIN company ON "
              "contact.companyid=company.id ORDER BY realname");

    // A key without a plain table gives a table that never opens, and says so.
    Table& none = dm_.TableByKey("contact");
    EXPECT_TRUE(none.TableName().isEmpty());
    EXPECT_FALSE(none.Open());
    EXPECT_TRUE(Logged("FEIL: ingen tabell contact"));
}

TEST_F(DataModuleTest, TheLookupsOpenInTheLogonOrderWithTheirTexts) {
    QStringList texts;
    dm_.SetProgress([&](const QString& t) { texts << t; }, nullptr);
    EXPECT_TRUE(dm_.OpenLookups());
    EXPECT_EQ(texts, QStringList({"Henter firmaer for oppslag...", "Henter kontakter for oppslag...",
                                  "Henter brukerer for oppslag...", "Henter prosjekt for oppslag...",
                                  "Henter system for oppslag...", "Henter tilbud for oppslag...",
                                  "Henter ordre for oppslag...", "Henter innkjøp for oppslag...",
                                  "Henter faktura for oppslag...", "Henter utstyr for oppslag..."}));
    for (std::size_t i = 0; i < kLookupCount; ++i) {
        Query& q = dm_.LookupQuery(static_cast<Lookup>(i));
        EXPECT_TRUE(q.IsActive()) << q.Sql().toStdString();
        EXPECT_FALSE(q.CanModify());
    }
    EXPECT_EQ(dm_.LookupQuery(Lookup::Users).Sql(), "select id,realname,initials from users order by initials");
    EXPECT_EQ(dm_.LookupQuery(Lookup::Purchases).Sql(), "select id,ordernumber from po order by ordernumber");
}

// Every dataset opens on the schema, and each "NO_<key>" switch keeps its own one closed.
TEST_F(DataModuleTest, NoSwitchOnEveryTableKeepsItClosed) {
    int advances = 0;
    dm_.SetProgress(nullptr, [&] { ++advances; });
    for (const char* key : kLogonOrder) {
        dm_.SetTableSwitchedOff(key, true);
        EXPECT_TRUE(Prepare(key)) << key;
        EXPECT_FALSE(dm_.DatasetByKey(key)->IsActive()) << key;
        const QString what = dynamic_cast<Query*>(dm_.DatasetByKey(key)) ? QStringLiteral("Klargjør tabellen (query) ")
                                                                           : QStringLiteral("Klargjør tabellen ");
        EXPECT_TRUE(Logged(what + key + " (LES/SKRIV), valgt ikke åpnes.")) << key;
        dm_.SetTableSwitchedOff(key, false);
        EXPECT_TRUE(Prepare(key)) << key << ": " << dm_.DatasetByKey(key)->LastError().toStdString();
        EXPECT_TRUE(dm_.DatasetByKey(key)->IsActive()) << key;
    }
    EXPECT_EQ(advances, 2 * static_cast<int>(std::size(kLogonOrder)));
    EXPECT_TRUE(prompter_->messages().empty());

    // All switched on at once: the whole log-on opens nothing.
    dm_.CloseAll();
    for (int i = 0; i < kCatalogueUnknown; ++i) dm_.SetTableSwitchedOff(CatalogueAt(i).key, true);
    for (const char* key : kLogonOrder) Prepare(key);
    for (const char* key : kLogonOrder) EXPECT_FALSE(dm_.DatasetByKey(key)->IsActive()) << key;
}

TEST_F(DataModuleTest, SwitchedOffCalendarLogsItsReadMode) {
    ctx_.config().WriteKey("VARLOKKEN_SQL", "NO_calendar", "1");
    QStringList texts;
    dm_.SetProgress([&](const QString& t) { texts << t; }, nullptr);
    EXPECT_TRUE(dm_.PrepareTable(dm_.CalendarTable()));
    EXPECT_TRUE(Logged("Klargjør tabellen calendar (LES/SKRIV), valgt ikke åpnes."));
    SetRights("calendar=R;\r\n");
    EXPECT_TRUE(dm_.PrepareTable(dm_.CalendarTable()));
    EXPECT_TRUE(Logged("Klargjør tabellen calendar (LES), valgt ikke åpnes."));
    EXPECT_FALSE(dm_.CalendarTable().IsActive());
    EXPECT_TRUE(texts.isEmpty());  // a skipped table shows no progress text

    ctx_.config().WriteKey("VARLOKKEN_SQL", "NO_calendar", "0");
    EXPECT_TRUE(dm_.PrepareTable(dm_.CalendarTable()));
    EXPECT_TRUE(dm_.CalendarTable().IsActive());
    EXPECT_TRUE(dm_.CalendarTable().IsReadOnly());
    EXPECT_EQ(texts, QStringList{"Kalender"});
    EXPECT_TRUE(Logged("Klargjør tabellen calendar (LES)"));
    EXPECT_TRUE(Logged("Åpner tabellen " + Schema() + ".calendar"));
}

TEST_F(DataModuleTest, WriteRightDecidesReadOnlyOnEveryOpen) {
    Table& company = dm_.CompanyTable();
    const struct {
        const char* rights;
        bool refresh;
        bool readOnlyAfter;
    } steps[] = {
        {"company=R;\r\n", false, true},
        {"company=RW;\r\n", false, false},  // reopened without the refresh flag: writable
        {"company=R;\r\n", true, true},     // writable but no longer allowed: reopened read-only
        {"company=RW;\r\n", true, true},    // a refresh keeps what it had
        {"company=RW;\r\n", false, false},
    };
    for (const auto& s : steps) {
        SetRights(s.rights);
        EXPECT_TRUE(dm_.OpenTableWithRights(company, s.refresh, false)) << s.rights;
        EXPECT_TRUE(company.IsActive());
        EXPECT_EQ(company.IsReadOnly(), s.readOnlyAfter) << s.rights << s.refresh;
        EXPECT_EQ(company.CanModify(), !s.readOnlyAfter);
    }
    EXPECT_TRUE(prompter_->messages().empty());
}

TEST_F(DataModuleTest, MissingReadRightAndFailedOpenAreReportedOutsideTheLogon) {
    Exec("INSERT INTO company (companyname) VALUES ('A'), ('B')");
    Table& company = dm_.CompanyTable();
    ASSERT_TRUE(dm_.OpenTableWithRights(company, false, true));
    EXPECT_EQ(company.AsString("companyname"), "B");  // moved to the last row

    SetRights("orders=RW;\r\n");
    ctx_.logon().LogonInProgress = true;
    EXPECT_FALSE(dm_.OpenTableWithRights(company, false, false));
    EXPECT_TRUE(prompter_->messages().empty());
    ctx_.logon().LogonInProgress = false;
    EXPECT_FALSE(dm_.OpenTableWithRights(company, false, false));
    EXPECT_EQ(prompter_->messages(), std::vector<QString>{"Feil: Ingen tilgang til tabellen company"});
    EXPECT_EQ(LogMessages().count("INGEN TILGANG TIL company"), 2);
    EXPECT_TRUE(company.IsActive());  // left as it was

    // A product table name that does not exist (a warehouse removed since the last run).
    SetRights("product=RW;\r\n");
    ctx_.config().WriteKey("STANDARD", "LastProductTable", "lager_borte");
    dm_.ApplyLastProductTable();
    EXPECT_EQ(dm_.ProductTable().TableName(), "lager_borte");
    prompter_->ClearEvents();
    EXPECT_FALSE(dm_.PrepareTable(dm_.ProductTable()));  // log-on: logged, not shown
    ctx_.logon().LogonInProgress = true;
    EXPECT_FALSE(dm_.PrepareTable(dm_.ProductTable()));
    EXPECT_TRUE(Logged("Klargjør tabellen product (LES/SKRIV)"));
    EXPECT_TRUE(Logged("FEIL: kan ikke åpne tabellen " + Schema() + ".lager_borte"));
    ctx_.logon().LogonInProgress = false;
    EXPECT_EQ(prompter_->messages(),
              std::vector<QString>{"Feil: Kan ikke åpne tabellen " + Schema() + ".lager_borte"});
}

// A users row whose rights string is garbage: the log-on opens only what the text grants,
// shows nothing and goes on.
TEST_F(DataModuleTest, GarbageRightsStringOpensNothingItDoesNotName) {
    Exec("INSERT INTO users (username, initials, parameter) VALUES "
         "('rot', 'RO', x'00ff3d3b3b52573d0d0a6f72646572733d52573b0d0a3d3d3dfe636f6d70616e79')");
    Table& users = dm_.UsersTable();
    users.SetFilterSql("username='rot'");
    ASSERT_TRUE(users.Open());
    const QString rights = users.AsString("parameter");
    users.Close();
    SetRights(rights);
    ctx_.logon().LogonInProgress = true;
    for (const char* key : kLogonOrder) Prepare(key);
    ctx_.logon().LogonInProgress = false;
    EXPECT_TRUE(prompter_->messages().empty());
    for (const char* key : kLogonOrder) {
        Dataset* d = dm_.DatasetByKey(key);
        if (dynamic_cast<Query*>(d)) continue;  // queries open without a read test
        EXPECT_EQ(d->IsActive(), HasReadRight(key)) << key;
        if (!HasReadRight(key)) {
            EXPECT_TRUE(Logged(QStringLiteral("INGEN TILGANG TIL ") + key)) << key;
        }
    }
    EXPECT_TRUE(dm_.OrderTable().IsActive());
    EXPECT_FALSE(dm_.OrderTable().IsReadOnly());
    EXPECT_FALSE(dm_.CompanyTable().IsActive());
}

TEST_F(DataModuleTest, FindIdsByBusinessKeys) {
    Exec("INSERT INTO users (id, username, realname, initials) VALUES "
         "(1, 'ola', 'Ola Nordmann', 'ON'), (2, 'per', 'Per', 'PER'), (3, 'abcd', 'Abcd', 'ABCD'),"
         "(4, 'øy', 'Øystein Ås', 'ØÅ')");
    Exec("INSERT INTO project (id, projectnumber, projectstatus) VALUES (7, 'P-1', 10), (8, 'P-2', 20)");
    Exec("INSERT INTO asset (id, assetnumber, status) VALUES (5, 'A-9', 1)");
    Exec("INSERT INTO product (id, productcode, web) VALUES (11, 'VARE-1', 1)");
    Exec("INSERT INTO subproject (id, systemnumber, project) VALUES (21, 'S-1', 7), (22, 'S-2', 8)");
    Exec("INSERT INTO company (id, companyname) VALUES (1, 'Firma 1'), (2, 'Firma 2')");
    Exec("INSERT INTO contact (id, realname, companyid) VALUES (31, 'Kari Hansen', 1), (32, 'Ola Vik', 2)");
    for (const char* key : kLogonOrder) Prepare(key);

    const struct {
        QString text;
        int id;
    } users[] = {
        {"on", 1}, {"PER", 2}, {"per", 2},    // up to three characters: initials
        {"Per ", 0},                          // four characters: a name, and "Per " is none
        {"abcd", 3}, {"ABCD", 3},             // four: the full name, not the initials
        {"ola nordmann", 1}, {"øå", 4}, {"øystein ås", 4},
        {"XYZ", 0}, {"Nobody Here", 0}, {"", 0},
    };
    for (const auto& c : users) EXPECT_EQ(dm_.FindUserId(c.text), c.id) << c.text.toStdString();
    EXPECT_EQ(dm_.FindUserId("Ola Nordmann"), 1);
    EXPECT_EQ(dm_.UsersTable().AsString("username"), "ola");  // the row found is current

    EXPECT_EQ(dm_.FindProductId("vare-1"), 11);
    EXPECT_EQ(dm_.FindAssetId("a-9"), 5);
    EXPECT_EQ(dm_.FindProjectId("p-1"), 7);
    EXPECT_EQ(dm_.FindSubprojectId("s-1"), 21);  // subprojects of the current project only
    EXPECT_EQ(dm_.FindSubprojectId("s-2"), 0);

    // The project filter hides P-2; with the filtered flag the lookup drops the filter.
    EXPECT_EQ(dm_.FindProjectId("P-2"), 0);
    EXPECT_EQ(dm_.ProjectTable().FilterSql(), "projectstatus=10");
    dm_.ProjectTable().SetFiltered(true);
    EXPECT_EQ(dm_.FindProjectId("P-2"), 8);
    EXPECT_EQ(dm_.ProjectTable().FilterSql(), "");
    EXPECT_EQ(dm_.FindSubprojectId("S-2"), 22);  // follows project P-2 now

    // A contact condition is dropped to look among all contacts.
    dm_.ContactQuery().SetSql(dm_.BuildSelect("contact.*, companyname", "contact", "company",
                                              "contact.companyid=company.id", "companyid=1", "",
                                              "realname"));
    ASSERT_TRUE(dm_.ContactQuery().Open());
    EXPECT_EQ(dm_.ContactQuery().RecordCount(), 1);
    EXPECT_EQ(dm_.FindContactId("ola vik"), 32);
    EXPECT_EQ(dm_.ContactQuery().Sql(), DataModule::ContactBaseSql());
    EXPECT_EQ(dm_.ContactQuery().AsString("companyname"), "Firma 2");

    // A closed table finds nothing.
    dm_.AssetTable().Close();
    EXPECT_EQ(dm_.FindAssetId("A-9"), 0);
}

TEST_F(DataModuleTest, DeleteAsksWithNoPreselectedAndNoCancelsSilently) {
    Exec("INSERT INTO company (id, companyname) VALUES (1, 'A'), (2, 'B'), (3, 'C')");
    Exec("INSERT INTO invoice (id, ordernumber) VALUES (1, 100)");
    Exec("INSERT INTO contact (id, realname) VALUES (1, 'K')");
    Table& company = dm_.CompanyTable();
    ASSERT_TRUE(company.Open());

    prompter_->No();
    EXPECT_FALSE(company.Delete());
    EXPECT_EQ(company.LastError(), "");
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM company"), "3");
    ASSERT_EQ(prompter_->events().size(), 1u);
    EXPECT_EQ(prompter_->events()[0].kind, Kind::YesNo);
    EXPECT_EQ(prompter_->events()[0].text, "Slette denne posten?");
    EXPECT_FALSE(prompter_->events()[0].defaultYes);

    prompter_->CloseYesNo();  // closing the question is its default: no
    EXPECT_FALSE(company.Delete());
    prompter_->Yes();
    EXPECT_TRUE(company.Delete());
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM company"), "2");
    EXPECT_TRUE(prompter_->messages().empty());

    // Invoices have their own checks; the contact query asks like the tables.
    ASSERT_TRUE(dm_.InvoiceTable().SetFilterSql(""));
    ASSERT_TRUE(dm_.InvoiceTable().Open());
    prompter_->ClearEvents();
    EXPECT_TRUE(dm_.InvoiceTable().Delete());
    EXPECT_TRUE(prompter_->events().empty());
    ASSERT_TRUE(dm_.ContactQuery().Open());
    prompter_->No();
    EXPECT_FALSE(dm_.ContactQuery().Delete());
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM contact"), "1");

    // A bulk operation deletes without asking and puts the flag back.
    {
        ConfirmDeleteSuspended quiet(dm_);
        EXPECT_FALSE(dm_.ConfirmDelete());
        EXPECT_TRUE(company.Delete());
        EXPECT_TRUE(dm_.ContactQuery().Delete());
    }
    EXPECT_TRUE(dm_.ConfirmDelete());
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM company"), "1");
}

TEST_F(DataModuleTest, ConfirmDeleteComesBackWhateverEndsTheBulkOperation) {
    // Fails part-way and returns early.
    auto bulk = [&] {
        ConfirmDeleteSuspended quiet;
        if (!dm_.ExecSql("DELETE FROM no_such_table")) return false;
        return true;
    };
    EXPECT_FALSE(bulk());
    EXPECT_TRUE(dm_.ConfirmDelete());
    // Ends by an exception.
    try {
        ConfirmDeleteSuspended quiet(dm_);
        throw std::runtime_error("brutt");
    } catch (const std::runtime_error&) {
    }
    EXPECT_TRUE(dm_.ConfirmDelete());
    // Nested, and a flag that was off before stays off.
    dm_.SetConfirmDelete(false);
    {
        ConfirmDeleteSuspended outer(dm_);
        ConfirmDeleteSuspended inner(dm_);
    }
    EXPECT_FALSE(dm_.ConfirmDelete());
}

TEST_F(DataModuleTest, SaveRefreshesTheTableAndItsLookupAndNewRowsGetTheDefaults) {
    ctx_.logon().CurrentUserId = 5;
    ctx_.logon().CurrentGroupId = 2;
    ASSERT_TRUE(dm_.OpenLookups());
    Table& company = dm_.CompanyTable();
    ASSERT_TRUE(company.Open());
    int told = 0;
    const int id = dm_.AddRecordWindowNotifier("company", [&] { ++told; });
    ASSERT_TRUE(company.Append());
    EXPECT_EQ(told, 1);
    company.SetString("companyname", "Nytt AS");
    // Another workstation adds a row meanwhile; the save reads it too.
    Exec("INSERT INTO company (companyname) VALUES ('Annet AS')");
    ASSERT_TRUE(company.Post()) << company.LastError().toStdString();
    EXPECT_EQ(told, 2);
    EXPECT_EQ(company.RecordCount(), 2);
    EXPECT_EQ(company.AsString("companyname"), "Nytt AS");
    EXPECT_EQ(Scalar("SELECT CONCAT(user, '/', usergroup, '/', rwx_all, '/', rwx_user, '/', rwx_group) "
                     "FROM company WHERE companyname='Nytt AS'"),
              "5/2/0/7/7");
    Query& lookup = dm_.LookupQuery(Lookup::Companies);
    EXPECT_EQ(lookup.RecordCount(), 2);
    EXPECT_TRUE(lookup.Locate("companyname", "Annet AS"));

    dm_.RemoveRecordWindowNotifier(id);
    company.Edit();
    company.Cancel();
    EXPECT_EQ(told, 2);

    // Groups are not re-read after a save; their new rows get the common defaults.
    ASSERT_TRUE(dm_.GroupsTable().Open());
    ASSERT_TRUE(dm_.GroupsTable().Append());
    dm_.GroupsTable().SetInteger("group_id", 3);
    Exec("INSERT INTO groups (group_id) VALUES (4)");
    ASSERT_TRUE(dm_.GroupsTable().Post());
    EXPECT_EQ(dm_.GroupsTable().RecordCount(), 1);
    EXPECT_EQ(Scalar("SELECT CONCAT(user, '/', usergroup, '/', rwx_all) FROM groups WHERE group_id=3"), "5/2/0");

    // News: today, the author and status 1 besides the common three.
    ASSERT_TRUE(dm_.NewsTable().Open());
    ASSERT_TRUE(dm_.NewsTable().Append());
    EXPECT_EQ(dm_.NewsTable().AsDate("newsdate"), QDate::currentDate());
    EXPECT_EQ(dm_.NewsTable().AsInteger("author"), 5);
    EXPECT_EQ(dm_.NewsTable().AsInteger("status"), 1);
    EXPECT_EQ(dm_.NewsTable().AsInteger("user"), 5);
    dm_.NewsTable().Cancel();

    // Deviations, packages and certificates have their own defaults.
    for (Table* t : {&dm_.DeviationTable(), &dm_.PackageTable(), &dm_.CertificateTable()}) {
        ASSERT_TRUE(t->Open()) << t->TableName().toStdString();
        ASSERT_TRUE(t->Append());
        EXPECT_TRUE(t->IsNull("usergroup")) << t->TableName().toStdString();
        t->Cancel();
    }
}

TEST_F(DataModuleTest, SubprojectsFollowTheCurrentProject) {
    Exec("INSERT INTO project (id, projectnumber, projectstatus) VALUES (1, 'P1', 10), (2, 'P2', 10)");
    Exec("INSERT INTO subproject (systemnumber, project) VALUES ('S11', 1), ('S12', 1), ('S21', 2)");
    ASSERT_TRUE(dm_.ProjectTable().Open());
    ASSERT_TRUE(dm_.SubProjectTable().Open());
    EXPECT_EQ(dm_.SubProjectTable().RecordCount(), 2);
    ASSERT_TRUE(dm_.ProjectTable().Locate("projectnumber", "P2"));
    EXPECT_EQ(dm_.SubProjectTable().RecordCount(), 1);
    EXPECT_EQ(dm_.SubProjectTable().AsString("systemnumber"), "S21");
    // A new subproject belongs to the current project.
    ASSERT_TRUE(dm_.SubProjectTable().Append());
    dm_.SubProjectTable().SetString("systemnumber", "S22");
    ASSERT_TRUE(dm_.SubProjectTable().Post());
    EXPECT_EQ(Scalar("SELECT project FROM subproject WHERE systemnumber='S22'"), "2");
}

TEST_F(DataModuleTest, DocumentQueryStartsWithTheRecordFilterOfTheUser) {
    ctx_.logon().AdminMode = false;
    ctx_.logon().UserRights = "document=RW;\r\n";
    ctx_.logon().CurrentUserId = 3;
    ctx_.logon().CurrentInitials = "AB";
    Exec("INSERT INTO users (id, username, initials) VALUES (3, 'ab', 'AB')");
    Exec("INSERT INTO document (id, user, rwx_group, rwx_all, persons, subject) VALUES "
         "(1, 3, 7, 0, NULL, 'egen'), (2, 9, 7, 0, 'XY', 'annen'), (3, 9, 7, 0, 'AB, XY', 'nevnt')");
    ASSERT_TRUE(dm_.PrepareQuery(dm_.DocumentQuery(), "document"));
    Query& docs = dm_.DocumentQuery();
    EXPECT_EQ(docs.RecordCount(), 2);
    EXPECT_TRUE(docs.Locate("subject", "nevnt"));
    EXPECT_EQ(docs.AsString("initials"), "");
    EXPECT_TRUE(docs.Locate("subject", "egen"));
    EXPECT_EQ(docs.AsString("initials"), "AB");
    EXPECT_TRUE(Logged("Åpner Query document"));

    // A statement that fails is logged with its text.
    docs.SetSql("select * from nosuch");
    EXPECT_FALSE(dm_.PrepareQuery(docs, "document"));
    EXPECT_TRUE(Logged("SQLERROR: select * from nosuch"));
    EXPECT_TRUE(prompter_->messages().empty());
}

}  // namespace
