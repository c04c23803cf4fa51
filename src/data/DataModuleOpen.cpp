// Opening the datasets as the user's rights allow, and the log-on steps that do it.
#include "app/frame/AppContext.h"
#include "app/frame/BusyCursor.h"
#include "data/DataModule.h"
#include "data/Rights.h"

namespace {

const QString kLogonSection = QStringLiteral("VARLOKKEN_SQL");

QString NameOf(const Dataset& dataset, const QString& key) {
    if (const auto* table = dynamic_cast<const Table*>(&dataset); table && !table->TableName().isEmpty())
        return table->TableName();
    return key;
}

bool BoolText(const QString& text) {
    const QString t = text.trimmed();
    bool ok = false;
    const int value = t.toInt(&ok);
    if (ok) return value != 0;
    return t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
}

}  // namespace

bool DataModule::OpenTableWithRights(Dataset& dataset, bool refreshIfOpen, bool goToLast) {
    BusyCursor busy;
    Log& log = Ctx().log();
    const LogonValues& logon = Ctx().logon();
    QString key = KeyOf(dataset);
    const QString table = NameOf(dataset, key);
    if (key.isEmpty()) key = table;
    if (!HasReadRight(key)) {
        log.WriteLog(QStringLiteral("INGEN TILGANG TIL ") + table);
        if (!logon.LogonInProgress) ShowMessage(QStringLiteral("Feil"), QStringLiteral("Ingen tilgang til tabellen ") + table);
        return false;
    }
    const bool writable = HasWriteRight(key);
    // A writable dataset the user may no longer write is opened again, read-only.
    if (!writable && !dataset.IsReadOnly()) refreshIfOpen = false;
    bool ok = false;
    if (refreshIfOpen) {
        ok = dataset.IsActive() ? dataset.Refresh() : dataset.Open();
    } else {
        dataset.Close();
        dataset.SetReadOnly(!writable);
        ok = dataset.Open();
    }
    if (ok && goToLast) dataset.Last();
    const QString qualified = SchemaName() + QLatin1Char('.') + table;
    log.WriteLog(QStringLiteral("Åpner tabellen ") + qualified);
    if (!ok) {
        log.WriteLog(QStringLiteral("FEIL: kan ikke åpne tabellen ") + qualified);
        log.WriteDetail(dataset.LastError());
        if (!logon.LogonInProgress) ShowMessage(QStringLiteral("Feil"), QStringLiteral("Kan ikke åpne tabellen ") + qualified);
    }
    return ok;
}

// Steps shared by PrepareTable and PrepareQuery: read-only by the write right, the progress
// step and the "NO_" switch. `skipped` tells a switched-off dataset.
bool DataModule::PrepareCommon(Dataset& dataset, const QString& key, const QString& message, bool& skipped) {
    const bool readOnly = !HasWriteRight(key);
    dataset.SetReadOnly(readOnly);
    const QString text = message + (readOnly ? QStringLiteral(" (LES)") : QStringLiteral(" (LES/SKRIV)"));
    ProgressAdvance();
    skipped = TableSwitchedOff(key);
    if (skipped) {
        Ctx().log().WriteLog(text + QStringLiteral(", valgt ikke åpnes."));
        return true;
    }
    ProgressText(CatalogueName(CatalogueIndex(key)));
    Ctx().log().WriteLog(text);
    return true;
}

bool DataModule::PrepareTable(Table& table) {
    QString key = KeyOf(table);
    if (key.isEmpty()) key = table.TableName();
    bool skipped = false;
    PrepareCommon(table, key, QStringLiteral("Klargjør tabellen ") + key, skipped);
    if (skipped) return true;
    return OpenTableWithRights(table, false, false);
}

bool DataModule::PrepareQuery(Query& query, const QString& catalogueKey) {
    bool skipped = false;
    PrepareCommon(query, catalogueKey, QStringLiteral("Klargjør tabellen (query) ") + catalogueKey, skipped);
    if (skipped) return true;
    // The document list's statement needs the logged-on user's record filter.
    if (&query == &documentQuery_ && query.Sql().isEmpty()) query.SetSql(DocumentBaseSql());
    Ctx().log().WriteLog(QStringLiteral("Åpner Query ") + catalogueKey);
    query.Close();
    if (query.Open()) return true;
    Ctx().log().WriteLog(QStringLiteral("SQLERROR: ") + query.Sql());
    Ctx().log().WriteDetail(query.LastError());
    return false;
}

bool DataModule::TableSwitchedOff(const QString& catalogueKey) const {
    return BoolText(Ctx().config().ReadKey(kLogonSection, QStringLiteral("NO_") + catalogueKey));
}

void DataModule::SetTableSwitchedOff(const QString& catalogueKey, bool off) {
    Ctx().config().WriteKey(kLogonSection, QStringLiteral("NO_") + catalogueKey,
                            off ? QStringLiteral("1") : QStringLiteral("0"));
}

void DataModule::SetProgress(std::function<void(const QString&)> text, std::function<void()> advance) {
    progressText_ = std::move(text);
    progressAdvance_ = std::move(advance);
}

void DataModule::ProgressText(const QString& text) const {
    if (progressText_) progressText_(text);
}

void DataModule::ProgressAdvance() const {
    if (progressAdvance_) progressAdvance_();
}
