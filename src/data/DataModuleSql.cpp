// Statements without rows, SQL scripts and the select builder.
#include <QFile>

#include "app/frame/AppContext.h"
#include "app/frame/BusyCursor.h"
#include "data/DataModule.h"
#include "data/SelectBuilder.h"
#include "data/SqlExec.h"
#include "platform/TextEncoding.h"

bool DataModule::ExecSql(const QString& text) {
    BusyCursor busy;
    Log& log = Ctx().log();
    if (log.Verbose()) log.WriteDetail(QStringLiteral("SQL: ") + RedactPasswords(text));
    if (connection_.Exec(text)) {
        lastSqlError_.clear();
        return true;
    }
    lastSqlError_ = connection_.LastError();
    log.WriteLog(QStringLiteral("SQL ERROR: ") + RedactPasswords(text));
    return false;
}

bool DataModule::RunSqlScript(const QString& path) {
    BusyCursor busy;
    Log& log = Ctx().log();
    log.WriteLog(QStringLiteral("Kjører SQL-script: ") + path);
    QFile file(path);
    bool ok = false;
    if (!file.open(QIODevice::ReadOnly)) {
        lastSqlError_ = file.errorString();
    } else {
        const QByteArray script = file.readAll();
        if (file.error() != QFileDevice::NoError) {
            lastSqlError_ = file.errorString();
        } else if (script.trimmed().isEmpty()) {
            ok = true;  // nothing to run
        } else {
            // Scripts from older workstations may be Windows-1252; ours are UTF-8.
            ok = platform::IsValidUtf8(script) ? connection_.ExecUtf8(script)
                                               : connection_.Exec(platform::DecodeWindows1252(script));
            if (!ok) lastSqlError_ = connection_.LastError();
        }
    }
    if (ok) {
        lastSqlError_.clear();
        return true;
    }
    log.WriteLog(QStringLiteral("SQL-Script ERROR: ") + path);
    return false;
}

QString DataModule::BuildSelect(const QString& columns, const QString& table, const QString& joinTable,
                                const QString& joinCondition, const QString& filter,
                                const QString& extraFilter, const QString& order) {
    const QString sql = ComposeSelect(columns, table, joinTable, joinCondition, filter, extraFilter, order);
    if (sqlSink_) sqlSink_(sql);
    if (AppContext::HasCurrent()) Ctx().log().WriteDetail(sql);
    return sql;
}
