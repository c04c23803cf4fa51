#include "app/frame/StartUp.h"

#include <QFileInfo>

#include "app/frame/AppContext.h"
#include "app/frame/Folders.h"
#include "platform/Environment.h"

QString LogFilePath(const QString& programPath) {
    return platform::BaseFolder() + QStringLiteral("log/") +
           QFileInfo(programPath).completeBaseName() + QStringLiteral(".log");
}

void RunStart(AppContext& ctx, const QStringList& arguments, const QString& workingDir) {
    Log& log = ctx.log();
    ConfigStore& store = ctx.config();
    log.Start(LogFilePath(store.ProgramPath()));

    // 1. The command line.
    CommandLine& line = ctx.commandLine();
    line = ParseCommandLine(arguments);
    const bool verboseFromLine = line.debug || line.install;
    if (verboseFromLine) {
        log.SetLoggingOn(true);
        log.SetVerbose(true);
    }
    store.SetCommandLineUser(line.user);
    store.SetLocalAddress(line.ip);

    // 2. The company ini; "-install" builds the tree as soon as its keys have a home.
    store.OpenCompanyIni(store.FindCompanyIni(workingDir));
    store.SetFolderPath(QStringLiteral("etc"), store.IniFolder());
    if (line.install) CreateFolderTree(store);

    // 3. A first start on this machine.
    const QString base = platform::BaseFolder();
    if (!QFileInfo(base + QStringLiteral("data")).isDir()) CreateFolderTree(store);
    // The tree's own "etc" entry must not hide where the company ini really is.
    store.SetFolderPath(QStringLiteral("etc"), store.IniFolder());

    // 4. The log.
    store.ResetSection();
    log.SetLoggingOn(store.ReadIniBool(QStringLiteral("LogToFile")));
    if (store.ReadIniBool(QStringLiteral("ClearLogFileOnStartup"))) {
        log.ClearLog();  // the file now holds just the list
    } else {
        log.LoadFile();
    }

    // 5. Temporary files.
    if (store.ReadIniBool(QStringLiteral("DeleteTemporaryFiles"))) {
        DeleteTempFiles(store, store.ReadIniBool(QStringLiteral("DeleteSystemTemporaryFiles")));
    }

    // 6. The log folder.
    if (!QFileInfo(store.sevrantepath(QStringLiteral("log"))).isDir()) {
        const QString folder = base + QStringLiteral("log/");
        store.SetFolderPath(QStringLiteral("log"), folder);
        MakeFolderPath(log, folder);
    }

    // 7. Verbose and direct logging.
    store.ResetSection();
    if (!verboseFromLine) {
        log.SetVerbose(store.ReadIniBool(QStringLiteral("VerboseLogging")) && log.LoggingOn());
    }
    log.SetDirectLogging(store.ReadIniBool(QStringLiteral("DirectLogging")));

    // 8. Who and what started.
    if (log.LoggingOn()) {
        log.WriteLog(QStringLiteral("START: ") + store.ProgramPath());
        log.WriteLog(QStringLiteral("INIFIL: ") + store.CompanyIniPath());
        log.WriteLog(QStringLiteral("BRUKER: ") + store.UserName());
        log.WriteDetail(store.LoginText());
    }

    // 9. Rounding for the price rules.
    ctx.settings().KroneAvrunding = store.ReadIniBool(QStringLiteral("KroneAvrunding"));
    ctx.settings().Krone4Avrunding = store.ReadIniBool(QStringLiteral("Krone4Avrunding"));
}

void RunEnd(AppContext& ctx) {
    Log& log = ctx.log();
    ConfigStore& store = ctx.config();
    const QString path = store.CompanyIniPath();
    const ConfigStore::FlushResult result = store.CloseCompanyIni();
    if (result == ConfigStore::FlushResult::Failed) {
        log.WriteLog(QStringLiteral("INI-CRASH i KV_REG: ") + path);
    }
    if (log.Verbose()) {
        if (result == ConfigStore::FlushResult::ReadOnly) {
            log.WriteLog(QStringLiteral("ADVARSEL: %1 er skrivebeskyttet og vil ikke bli lagret.")
                             .arg(path));
        } else {
            log.WriteLog(QStringLiteral("Oppdaterer ") + path);
        }
        log.WriteLog(QStringLiteral("AVSLUTTER PROGRAM. %1 feilmeldinger og %2 advarsler")
                         .arg(log.ErrorCount())
                         .arg(log.WarningCount()));
        if (log.HintCount() > 0) {
            log.WriteLog(QStringLiteral("Det ble gitt %1 hint i programmet").arg(log.HintCount()));
        }
    }
    log.WriteFile();
}
