#pragma once

#include <QString>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <unordered_map>
#include <vector>

#include "data/Catalogue.h"
#include "data/Lookups.h"
#include "db/Connection.h"
#include "db/Query.h"
#include "db/Table.h"

// The single owner of the database connection and of every dataset the windows work on:
// one dataset per catalogue entry (plain tables with the catalogue's order and filter, and
// the contact, document, jobs and line-item queries), a plain document table for the
// documents' data columns, and the ten lookup queries behind the drop-down lists.
//
// It also carries what all tables share: the new-record defaults, the delete confirmation,
// the re-read after a save, and telling a table's record window that its state changed.
//
// Creating a data module makes it the current one (DataModule::Current(), DM()); the
// previous one is current again when it goes away. Operations read the log-on values, the
// configuration store, the log and the Prompter of the current AppContext. Failures are
// logged and shown as the operation describes, never thrown.
class DataModule {
public:
    DataModule();
    ~DataModule();
    DataModule(const DataModule&) = delete;
    DataModule& operator=(const DataModule&) = delete;

    static DataModule& Current();
    static bool HasCurrent();

    Connection& connection() { return connection_; }
    // The schema the connection names, "varlokken" before the log-on set one.
    QString SchemaName() const;

    // --- datasets --------------------------------------------------------------------
    // The dataset of a catalogue key ("contact", "document", "jobs" and "items" give the
    // queries); nullptr for "unknown" and anything else.
    Dataset* DatasetByKey(const QString& catalogueKey);
    // The plain table of a key ("document" gives the plain document table). A key without
    // a plain table logs "FEIL: ingen tabell <key>" and gives an empty table that never opens.
    Table& TableByKey(const QString& catalogueKey);
    // The catalogue key of one of this module's datasets ("" for others; the plain
    // document table reads "document").
    QString KeyOf(const Dataset& dataset) const;
    // The dataset's number (101 company ... 120 invoice), 0 for datasets without one.
    int Tag(const Dataset& dataset) const;

    Table& UsersTable() { return *tables_[idx(CatalogueTable::users)]; }
    Table& DocumentTable() { return documentTable_; }  // the data columns, one row at a time
    Table& InvoiceTable() { return *tables_[idx(CatalogueTable::invoice)]; }
    Table& CompanyTable() { return *tables_[idx(CatalogueTable::company)]; }
    Table& GroupsTable() { return *tables_[idx(CatalogueTable::groups)]; }
    Table& POTable() { return *tables_[idx(CatalogueTable::po)]; }
    Table& CalendarTable() { return *tables_[idx(CatalogueTable::calendar)]; }
    Table& AccountTable() { return *tables_[idx(CatalogueTable::accounts)]; }
    Table& NewsTable() { return *tables_[idx(CatalogueTable::news)]; }
    Table& OrderTable() { return *tables_[idx(CatalogueTable::orders)]; }
    Table& EntriesTable() { return *tables_[idx(CatalogueTable::entries)]; }
    Table& ProjectTable() { return *tables_[idx(CatalogueTable::project)]; }
    Table& SubProjectTable() { return *tables_[idx(CatalogueTable::subproject)]; }
    Table& BannerTable() { return *tables_[idx(CatalogueTable::banner)]; }
    Table& OfferTable() { return *tables_[idx(CatalogueTable::offer)]; }
    Table& AssetTable() { return *tables_[idx(CatalogueTable::asset)]; }
    Table& ProductTable() { return *tables_[idx(CatalogueTable::product)]; }
    Table& ProductGroupTable() { return *tables_[idx(CatalogueTable::productview)]; }
    Table& PackageTable() { return *tables_[idx(CatalogueTable::package)]; }
    Table& DeviationTable() { return *tables_[idx(CatalogueTable::deviations)]; }
    Table& CertificateTable() { return *tables_[idx(CatalogueTable::certificate)]; }

    Query& ContactQuery() { return contactQuery_; }
    Query& DocumentQuery() { return documentQuery_; }
    Query& JobQuery() { return jobQuery_; }
    Query& JobsQuery() { return jobQuery_; }  // the same query as JobQuery
    Query& ItemsQuery() { return itemsQuery_; }

    // The contact query's statement without a contact condition: contacts with their
    // company's name, ordered by name.
    static QString ContactBaseSql();
    // The document list's statement before the documents module adds its conditions: the
    // list columns with the owner's initials, limited by the record access filter with
    // persons of the logged-on user (built when called).
    QString DocumentBaseSql();

    // The ten read-only lookup queries.
    Query& LookupQuery(Lookup which) { return *lookups_[static_cast<std::size_t>(which)]; }
    // Opens the lookups in the log-on order, each with its progress text and without rights
    // tests; one that fails logs "SQLERROR: <sql>" and the rest still open. True when all opened.
    bool OpenLookups();

    // The dataset the record information window shows ("the common source").
    Dataset* CommonDataset() const { return commonDataset_; }
    void SetCommonDataset(Dataset* dataset) { commonDataset_ = dataset; }

    // Closes every dataset (the lookups too), dropping unsaved changes.
    void CloseAll();

    // The product table's name from the company ini key "LastProductTable" (section
    // "STANDARD") when it is set; the rights key stays "product".
    void ApplyLastProductTable();
    // The entries filter of one calendar year:
    // "entrydate<='<year>.12.31' AND entrydate>='<year>.01.01'".
    static QString EntriesYearFilter(int year);

    // --- opening by rights -------------------------------------------------------------
    // Opens (or refreshes) a dataset as the user's rights on its key allow: without the read
    // right it logs "INGEN TILGANG TIL <table>" and, outside the log-on, shows "Ingen tilgang
    // til tabellen <table>" (caption "Feil"); without the write right it opens read-only.
    // A failure logs "FEIL: kan ikke åpne tabellen <schema>.<table>" and, outside the log-on,
    // shows "Kan ikke åpne tabellen <schema>.<table>" (caption "Feil"). True when open.
    bool OpenTableWithRights(Dataset& dataset, bool refreshIfOpen, bool goToLast);

    // The log-on step for one table: read-only by the write right, progress, the "NO_<key>"
    // switch of section "VARLOKKEN_SQL" (a switched-off table is logged and stays closed),
    // then OpenTableWithRights. True when the table is open or was switched off.
    bool PrepareTable(Table& table);
    // The same for a query, opened without a read-right test; a failure logs
    // "SQLERROR: <sql>". True when the query is open or was switched off; false = failed.
    bool PrepareQuery(Query& query, const QString& catalogueKey);

    // The "NO_<key>" switches of the table setup window ("Tabelloppsett").
    bool TableSwitchedOff(const QString& catalogueKey) const;
    void SetTableSwitchedOff(const QString& catalogueKey, bool off);

    // Log-on progress: a text to show and one step of the bar. Set by the log-on dialog;
    // empty functions are fine.
    void SetProgress(std::function<void(const QString& text)> text, std::function<void()> advance);
    void ProgressText(const QString& text) const;
    void ProgressAdvance() const;

    // --- SQL ---------------------------------------------------------------------------
    // Executes one statement text (several statements allowed) that returns no rows. Logs
    // "SQL: <text>" when verbose and "SQL ERROR: <text>" on failure, with the password
    // literals after PASSWORD( and IDENTIFIED BY shown as '***'. Nothing is shown to the
    // user; the result says whether every statement ran, LastSqlError() why not.
    bool ExecSql(const QString& text);
    // Executes the statements of an SQL file: logs "Kjører SQL-script: <path>"; the
    // statements before a failing one stay done; a failure (or an unreadable file) logs
    // "SQL-Script ERROR: <path>" and returns false with the reason in LastSqlError().
    bool RunSqlScript(const QString& path);
    // The server's (or the file's) error of the last failed ExecSql / RunSqlScript; empty
    // after success. The server's text may quote the statement.
    QString LastSqlError() const { return lastSqlError_; }

    // Composes "SELECT columns FROM table [LEFT JOIN join ON condition] [WHERE filter
    // [AND extra]] [ORDER BY order]" (a filter ending in "=" is dropped), hands it to the SQL
    // window's sink and logs it when verbose.
    QString BuildSelect(const QString& columns, const QString& table, const QString& joinTable,
                        const QString& joinCondition, const QString& filter,
                        const QString& extraFilter, const QString& order);
    // Where BuildSelect sends every statement: set by the SQL window while it exists.
    void SetSqlWindowSink(std::function<void(const QString&)> sink) { sqlSink_ = std::move(sink); }

    // --- lookups by business key -------------------------------------------------------
    // The id of the first row whose column equals the text without regard to case, 0 when
    // none (or the dataset is closed); the row found becomes current. A table whose filtered
    // flag is on loses its SQL filter first; the contact query goes back to ContactBaseSql().
    int FindProjectId(const QString& projectNumber);
    int FindProductId(const QString& productCode);
    // Initials for a text of up to three characters, else the full name.
    int FindUserId(const QString& initialsOrName);
    int FindContactId(const QString& realName);
    int FindSubprojectId(const QString& systemNumber);
    int FindAssetId(const QString& assetNumber);

    // --- ini files in the database -----------------------------------------------------
    // Stores the per-user ini in the user's users.inifile and the company ini in
    // company.inifile of CurrentCompanyId; the company copy leaves out "Username" and
    // "Password" of section "VARLOKKEN_SQL". Does nothing unless connected (ConnectState 1).
    // True when both rows that exist were written.
    bool UpDateIniFiles();
    // The company ini text as stored in the database: the open company ini without the
    // saved log-on keys.
    QString CompanyIniTextForServer();
    // The log-on's opposite direction: company.inifile of CurrentCompanyId replaces the local
    // company ini and is read again. Skipped (false) when CurrentCompanyId is 0, the row is
    // missing, or the stored text is empty or NULL; the previous file is kept as
    // "sevrante.ini.bak"; the local "Username" and "Password" stay as they were.
    bool ApplyCompanyIniFromServer();

    // --- common events -----------------------------------------------------------------
    // The record window of a table asks to be told when its dataset's state changes
    // (to enable "Lagre" and "Avbryt"). Add returns an id for Remove.
    int AddRecordWindowNotifier(const QString& catalogueKey, std::function<void()> notify);
    void RemoveRecordWindowNotifier(int id);
    // Replaces every notifier of the key by this one (an empty function removes them).
    void SetRecordWindowNotifier(const QString& catalogueKey, std::function<void()> notify);

    // Whether deleting a row asks "Slette denne posten?" (initially true).
    bool ConfirmDelete() const { return confirmDelete_; }
    void SetConfirmDelete(bool confirm) { confirmDelete_ = confirm; }

private:
    static constexpr std::size_t idx(CatalogueTable t) { return static_cast<std::size_t>(t); }
    void Register(Dataset& dataset, int catalogueIndex, int tag);
    void InstallEvents(Dataset& dataset, int catalogueIndex);
    void NotifyRecordWindows(int catalogueIndex);
    int FindIn(Dataset& dataset, const QString& column, const QString& text);
    bool PrepareCommon(Dataset& dataset, const QString& key, const QString& message, bool& skipped);

    DataModule* previous_;
    Connection connection_;
    std::array<std::unique_ptr<Table>, kCatalogueSize> tables_;  // null for the query keys
    Table documentTable_;
    Table noTable_;  // what TableByKey gives for a key without a plain table
    Query contactQuery_;
    Query documentQuery_;
    Query jobQuery_;
    Query itemsQuery_;
    std::array<std::unique_ptr<Query>, kLookupCount> lookups_;
    Dataset* commonDataset_ = nullptr;

    struct Registered {
        int catalogueIndex;
        int tag;
    };
    std::unordered_map<const Dataset*, Registered> registered_;
    struct Notifier {
        int id;
        int catalogueIndex;
        std::function<void()> notify;
    };
    std::vector<Notifier> notifiers_;
    int lastNotifierId_ = 0;

    std::function<void(const QString&)> progressText_;
    std::function<void()> progressAdvance_;
    std::function<void(const QString&)> sqlSink_;
    QString lastSqlError_;
    bool confirmDelete_ = true;
};

// Short hand for the current data module.
inline DataModule& DM() { return DataModule::Current(); }

// Switches the delete confirmation off for a bulk operation and puts the previous value
// back when it ends, however it ends.
class ConfirmDeleteSuspended {
public:
    explicit ConfirmDeleteSuspended(DataModule& module = DataModule::Current())
        : module_(module), previous_(module.ConfirmDelete()) {
        module_.SetConfirmDelete(false);
    }
    ~ConfirmDeleteSuspended() { module_.SetConfirmDelete(previous_); }
    ConfirmDeleteSuspended(const ConfirmDeleteSuspended&) = delete;
    ConfirmDeleteSuspended& operator=(const ConfirmDeleteSuspended&) = delete;

private:
    DataModule& module_;
    bool previous_;
};
