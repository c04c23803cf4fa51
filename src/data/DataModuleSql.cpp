// Statements without rows, SQL scripts and the select builder.
#include "app/frame/AppContext.h"
#include "app/frame/BusyCursor.h"
#include "data/DataModule.h"
#include "data/SelectBuilder.h"
#include "data/SqlExec.h"
#include "data/tools/SqlScript.h"

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
    // Statement by statement, read in pieces: a backup of any size runs, and the
    // statements before a failing one stay done.
    const sqltools::ScriptReport report = sqltools::RunScriptFile(connection_, path);
    if (report.ok) {
        lastSqlError_.clear();
        return true;
    }
    lastSqlError_ = report.error;
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
