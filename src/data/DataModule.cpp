// The data module's datasets: construction from the catalogue, access by key and tag, and
// the events every dataset shares.
#include "data/DataModule.h"

#include <QDate>

#include "app/frame/AppContext.h"
#include "data/RecordFilter.h"
#include "data/RecordHeader.h"
#include "data/SelectBuilder.h"

namespace {

DataModule* g_current = nullptr;

// Dataset numbers shown by the general table window ("Tabell <number>").
int TagOf(CatalogueTable t) {
    switch (t) {
        case CatalogueTable::company: return 101;
        case CatalogueTable::contact: return 102;
        case CatalogueTable::document: return 103;
        case CatalogueTable::news: return 104;
        case CatalogueTable::project: return 105;
        case CatalogueTable::subproject: return 106;
        case CatalogueTable::calendar: return 107;
        case CatalogueTable::users: return 108;
        case CatalogueTable::groups: return 109;
        case CatalogueTable::product: return 110;
        case CatalogueTable::asset: return 111;
        case CatalogueTable::banner: return 112;
        case CatalogueTable::jobs: return 113;
        case CatalogueTable::items: return 114;
        case CatalogueTable::orders: return 115;
        case CatalogueTable::accounts: return 116;
        case CatalogueTable::entries: return 117;
        case CatalogueTable::po: return 118;
        case CatalogueTable::offer: return 119;
        case CatalogueTable::invoice: return 120;
        default: return 0;
    }
}

bool In(CatalogueTable t, std::initializer_list<CatalogueTable> list) {
    for (CatalogueTable x : list)
        if (x == t) return true;
    return false;
}

using CT = CatalogueTable;

// Re-read after every save, so rows written by other workstations appear.
bool RefreshesAfterPost(CT t) {
    return In(t, {CT::company, CT::users, CT::project, CT::subproject, CT::asset, CT::orders,
                  CT::offer, CT::po, CT::invoice, CT::contact});
}

// Deleting a row asks first (invoices and line items have their own checks).
bool ConfirmsDelete(CT t) {
    return In(t, {CT::company, CT::users, CT::calendar, CT::project, CT::product, CT::news,
                  CT::asset, CT::subproject, CT::groups, CT::banner, CT::orders, CT::accounts,
                  CT::entries, CT::po, CT::offer, CT::productview, CT::deviations, CT::contact,
                  CT::document, CT::jobs});
}

// Their modules give their own new-record values instead of the common header defaults.
bool OwnHeaderDefaults(CT t) { return In(t, {CT::deviations, CT::package, CT::certificate}); }

// The documents list's columns; it never reads the two data columns.
const char* kDocumentColumns =
    "document.created,document.document_created,document.updated,document.subject,"
    "document.category,document.userid,document.companyid,document.document_name,"
    "document.document_path,document.user,document.usergroup,document.id,document.systemid,"
    "document.jobid,document.productid,document.assetid,document.projectid,document.persons,"
    "document.document_size,document.document_type,document.regnumber,document.object_text,"
    "document.document_info,document.dataincluded,document.document_mime,"
    "document.document_info, document.rwx_group, document.rwx_all, initials";

}  // namespace

DataModule::DataModule()
    : previous_(g_current),
      documentTable_(connection_, QStringLiteral("document")),
      noTable_(connection_),
      contactQuery_(connection_, ContactBaseSql()),
      documentQuery_(connection_),
      jobQuery_(connection_),
      itemsQuery_(connection_) {
    g_current = this;
    const auto& entries = CatalogueEntries();
    for (int i = 0; i < kCatalogueUnknown; ++i) {
        const CatalogueEntry& e = entries[static_cast<std::size_t>(i)];
        const CT t = static_cast<CT>(i);
        Dataset* dataset = nullptr;
        if (e.holder == CatalogueHolder::Table) {
            auto table = std::make_unique<Table>(connection_, e.key);
            table->SetOrder(e.defaultOrder);
            if (e.filterSource == CatalogueFilterSource::Fixed) table->SetFilterSql(e.defaultFilter);
            dataset = table.get();
            tables_[static_cast<std::size_t>(i)] = std::move(table);
        } else if (t == CT::contact) {
            dataset = &contactQuery_;
        } else if (t == CT::document) {
            dataset = &documentQuery_;
        } else if (t == CT::jobs) {
            jobQuery_.SetSql(e.querySql);
            dataset = &jobQuery_;
        } else if (t == CT::items) {
            itemsQuery_.SetSql(e.querySql);
            dataset = &itemsQuery_;
        }
        if (!dataset) continue;
        Register(*dataset, i, TagOf(t));
        InstallEvents(*dataset, i);
    }
    // The document list's own statement needs the logged-on user; until the documents module
    // builds it, the base statement is set when the query is prepared.
    documentQuery_.SetUpdateTable(QStringLiteral("document"));
    contactQuery_.SetUpdateTable(QStringLiteral("contact"));
    Register(documentTable_, static_cast<int>(CT::document), 0);

    EntriesTable().SetFilterSql(EntriesYearFilter(QDate::currentDate().year()));
    // Subprojects follow the current project.
    SubProjectTable().SetMasterLink(&ProjectTable(), QStringLiteral("id"), QStringLiteral("project"));

    for (std::size_t i = 0; i < kLookupCount; ++i) {
        const Lookup which = static_cast<Lookup>(i);
        lookups_[i] = std::make_unique<Query>(connection_, LookupSql(which));
        lookups_[i]->SetReadOnly(true);
    }
}

DataModule::~DataModule() {
    // Windows are gone by now; closing must not reach them.
    notifiers_.clear();
    CloseAll();
    if (g_current == this) g_current = previous_;
}

DataModule& DataModule::Current() { return *g_current; }
bool DataModule::HasCurrent() { return g_current != nullptr; }

QString DataModule::SchemaName() const {
    const QString db = connection_.Params().database;
    return db.isEmpty() ? QStringLiteral("varlokken") : db;
}

void DataModule::Register(Dataset& dataset, int catalogueIndex, int tag) {
    registered_[&dataset] = Registered{catalogueIndex, tag};
}

Dataset* DataModule::DatasetByKey(const QString& catalogueKey) {
    const int i = CatalogueIndex(catalogueKey);
    if (i >= kCatalogueUnknown) return nullptr;
    const CT t = static_cast<CT>(i);
    if (tables_[static_cast<std::size_t>(i)]) return tables_[static_cast<std::size_t>(i)].get();
    switch (t) {
        case CT::contact: return &contactQuery_;
        case CT::document: return &documentQuery_;
        case CT::jobs: return &jobQuery_;
        case CT::items: return &itemsQuery_;
        default: return nullptr;
    }
}

Table& DataModule::TableByKey(const QString& catalogueKey) {
    const int i = CatalogueIndex(catalogueKey);
    if (i < kCatalogueUnknown) {
        if (tables_[static_cast<std::size_t>(i)]) return *tables_[static_cast<std::size_t>(i)];
        if (static_cast<CT>(i) == CT::document) return documentTable_;
    }
    if (AppContext::HasCurrent()) Ctx().log().WriteLog(QStringLiteral("FEIL: ingen tabell ") + catalogueKey);
    noTable_.Close();
    return noTable_;
}

QString DataModule::KeyOf(const Dataset& dataset) const {
    const auto it = registered_.find(&dataset);
    return it == registered_.end() ? QString() : CatalogueAt(it->second.catalogueIndex).key;
}

int DataModule::Tag(const Dataset& dataset) const {
    const auto it = registered_.find(&dataset);
    return it == registered_.end() ? 0 : it->second.tag;
}

QString DataModule::ContactBaseSql() {
    return ComposeSelect(QStringLiteral("contact.*, companyname"), QStringLiteral("contact"),
                         QStringLiteral("company"), QStringLiteral("contact.companyid=company.id"),
                         QString(), QString(), QStringLiteral("realname"));
}

QString DataModule::DocumentBaseSql() {
    return ComposeSelect(QString::fromUtf8(kDocumentColumns), QStringLiteral("document"),
                         QStringLiteral("users"), QStringLiteral("document.user=users.id"),
                         RecordFilter(QStringLiteral("document"), true, connection_), QString(),
                         QStringLiteral("document.id"));
}

bool DataModule::OpenLookups() {
    bool all = true;
    for (Lookup which : LookupLogonOrder()) {
        ProgressText(LookupProgressText(which));
        Query& q = LookupQuery(which);
        if (q.IsActive() ? q.Refresh() : q.Open()) continue;
        all = false;
        Ctx().log().WriteLog(QStringLiteral("SQLERROR: ") + q.Sql());
    }
    return all;
}

void DataModule::CloseAll() {
    for (auto& t : tables_)
        if (t) t->Close();
    documentTable_.Close();
    contactQuery_.Close();
    documentQuery_.Close();
    jobQuery_.Close();
    itemsQuery_.Close();
    for (auto& q : lookups_)
        if (q) q->Close();
}

void DataModule::ApplyLastProductTable() {
    const QString name =
        Ctx().config().ReadKey(ConfigStore::StandardSection, QStringLiteral("LastProductTable")).trimmed();
    if (!name.isEmpty() && name != ProductTable().TableName()) ProductTable().SetTableName(name);
}

QString DataModule::EntriesYearFilter(int year) {
    const QString y = QString::number(year);
    return QStringLiteral("entrydate<='") + y + QStringLiteral(".12.31' AND entrydate>='") + y +
           QStringLiteral(".01.01'");
}

// ------------------------------------------------------------------ common events

void DataModule::InstallEvents(Dataset& dataset, int catalogueIndex) {
    const CT t = static_cast<CT>(catalogueIndex);
    dataset.OnStateChange().Add([this, catalogueIndex](Dataset&) { NotifyRecordWindows(catalogueIndex); });
    if (RefreshesAfterPost(t)) {
        dataset.AfterPost().Add([](Dataset& d) { d.Refresh(); });
    }
    for (std::size_t i = 0; i < kLookupCount; ++i) {
        const Lookup which = static_cast<Lookup>(i);
        if (CatalogueIndex(LookupTableKey(which)) != catalogueIndex) continue;
        dataset.AfterRefresh().Add([this, which](Dataset&) {
            Query& q = LookupQuery(which);
            if (q.IsActive()) q.Refresh();
        });
    }
    if (ConfirmsDelete(t)) {
        dataset.BeforeDelete().Add([this](Dataset&, Veto& veto) {
            // A "no" cancels without a message.
            if (confirmDelete_ && !AskYesNo(QStringLiteral("Slette denne posten?"), false)) veto.Refuse();
        });
    }
    if (!OwnHeaderDefaults(t)) {
        dataset.OnNewRecord().Add([](Dataset& d) { ApplyNewRecordDefaults(d, Ctx().logon()); });
    }
    if (t == CT::news) {
        dataset.OnNewRecord().Add([](Dataset& d) {
            d.SetDateTime(QStringLiteral("newsdate"), QDateTime(QDate::currentDate(), QTime(0, 0)));
            d.SetInteger(QStringLiteral("author"), Ctx().logon().CurrentUserId);
            d.SetInteger(QStringLiteral("status"), 1);
        });
    }
}

void DataModule::NotifyRecordWindows(int catalogueIndex) {
    const auto copy = notifiers_;  // a window may register or leave while told
    for (const Notifier& n : copy)
        if (n.catalogueIndex == catalogueIndex && n.notify) n.notify();
}

int DataModule::AddRecordWindowNotifier(const QString& catalogueKey, std::function<void()> notify) {
    notifiers_.push_back(Notifier{++lastNotifierId_, CatalogueIndex(catalogueKey), std::move(notify)});
    return lastNotifierId_;
}

void DataModule::RemoveRecordWindowNotifier(int id) {
    std::erase_if(notifiers_, [id](const Notifier& n) { return n.id == id; });
}

void DataModule::SetRecordWindowNotifier(const QString& catalogueKey, std::function<void()> notify) {
    const int index = CatalogueIndex(catalogueKey);
    std::erase_if(notifiers_, [index](const Notifier& n) { return n.catalogueIndex == index; });
    if (notify) AddRecordWindowNotifier(catalogueKey, std::move(notify));
}
