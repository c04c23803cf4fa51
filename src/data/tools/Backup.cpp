#include "data/tools/Backup.h"

#include <QDateTime>

#include "data/Catalogue.h"
#include "data/tools/DumpWriter.h"
#include "data/tools/ReplacingFile.h"
#include "db/Connection.h"

namespace sqltools {

namespace {

QString CurrentSchema(Connection& db, QString* error) {
    const QueryResult r = db.Query(QStringLiteral("SELECT DATABASE()"));
    if (!r.ok()) {
        *error = r.Error();
        return {};
    }
    if (r.IsNull(0, 0)) *error = QStringLiteral("ingen database er valgt");
    return r.Text(0, 0);
}

// Runs `write` into a replacing file at `path` and commits it when everything went well.
template <typename Write>
void WriteReplacing(const QString& path, BackupReport& report, Write write) {
    ReplacingFile file(path);
    if (!file.Open()) {
        report.error = QStringLiteral("kan ikke skrive ") + file.TempPath() + QStringLiteral(": ") +
                       file.Error();
        return;
    }
    if (!write(file.Device())) {
        file.Abandon();
        return;
    }
    if (!file.Commit()) {
        report.error =
            QStringLiteral("kan ikke skrive ") + path + QStringLiteral(": ") + file.Error();
        return;
    }
    report.ok = true;
}

void Collect(const DumpWriter& writer, BackupReport& report) {
    report.tables = writer.Tables();
    report.rows = writer.Rows();
    report.accounts = writer.Accounts();
    report.skippedAccounts = writer.SkippedAccounts();
    if (!writer.Error().isEmpty()) report.error = writer.Error();
}

}  // namespace

QStringList FullBackupTables(Connection& db, QStringList* missing, QString* error) {
    const QueryResult r = db.Query(QStringLiteral(
        "SELECT TABLE_NAME FROM information_schema.TABLES WHERE TABLE_SCHEMA = DATABASE()"
        " AND TABLE_TYPE = 'BASE TABLE' ORDER BY TABLE_NAME"));
    if (!r.ok()) {
        *error = r.Error();
        return {};
    }
    QStringList present;
    for (int i = 0; i < r.RowCount(); ++i) present << r.Text(i, 0);
    QStringList tables;
    for (int i = 0; i < kCatalogueUnknown; ++i) {
        const QString key = CatalogueAt(i).key;
        if (present.removeAll(key) > 0)
            tables << key;
        else if (missing)
            *missing << key;
    }
    return tables + present;
}

QString TableKind(Connection& db, const QString& name, QString* error) {
    const QueryResult r = db.Query(
        QStringLiteral(
            "SELECT TABLE_TYPE FROM information_schema.TABLES WHERE TABLE_SCHEMA = DATABASE()"
            " AND TABLE_NAME = ") +
        db.Quote(name));
    if (!r.ok()) {
        *error = r.Error();
        return {};
    }
    return r.Text(0, 0) == QLatin1String("VIEW") ? QStringLiteral("VIEW")
           : r.IsEmpty()                         ? QString()
                                                 : QStringLiteral("BASE TABLE");
}

BackupReport WriteFullBackup(Connection& db, const QString& path) {
    BackupReport report;
    const QString schema = CurrentSchema(db, &report.error);
    if (!report.error.isEmpty()) return report;
    const QStringList tables = FullBackupTables(db, &report.missingTables, &report.error);
    if (!report.error.isEmpty()) return report;
    const QueryResult views = db.Query(QStringLiteral(
        "SELECT TABLE_NAME FROM information_schema.TABLES WHERE TABLE_SCHEMA = DATABASE()"
        " AND TABLE_TYPE = 'VIEW' ORDER BY TABLE_NAME"));
    if (!views.ok()) {
        report.error = views.Error();
        return report;
    }
    for (int i = 0; i < views.RowCount(); ++i) report.views << views.Text(i, 0);

    WriteReplacing(path, report, [&](QIODevice& out) {
        DumpWriter writer(db, out);
        const QString comment =
            QStringLiteral(
                "Varlokken SQL: sikkerhetskopi av databasen %1 med brukere\nTjener %2, skrevet %3")
                .arg(schema, db.ServerVersion(),
                     QDateTime::currentDateTime().toString(Qt::ISODate));
        bool ok = writer.Begin(comment) && writer.WriteDatabase(schema);
        for (const QString& table : tables) ok = ok && writer.WriteTable(table);
        for (const QString& view : report.views) ok = ok && writer.WriteView(view);
        ok = ok && writer.WriteAccounts(schema);
        ok = writer.End() && ok;
        Collect(writer, report);
        return ok;
    });
    return report;
}

BackupReport WriteTableBackup(Connection& db, const QString& table, const QString& path) {
    BackupReport report;
    const QString kind = TableKind(db, table, &report.error);
    if (!report.error.isEmpty()) return report;
    if (kind.isEmpty()) {
        report.error = QStringLiteral("tabellen %1 finnes ikke").arg(table);
        return report;
    }
    WriteReplacing(path, report, [&](QIODevice& out) {
        DumpWriter writer(db, out);
        bool ok = writer.Begin(QString());
        if (kind == QLatin1String("VIEW")) {
            ok = ok && writer.WriteView(table);
            if (ok) report.views << table;
        } else {
            ok = ok && writer.WriteTable(table);
        }
        ok = writer.End() && ok;
        Collect(writer, report);
        return ok;
    });
    return report;
}

}  // namespace sqltools
