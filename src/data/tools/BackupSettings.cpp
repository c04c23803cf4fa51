#include "data/tools/BackupSettings.h"

#include "app/frame/AppContext.h"

namespace {
const QString kFolders = QStringLiteral("FOLDERS");
const QString kBackupKey = QStringLiteral("backup_folder");
const QString kWindowsKey = QStringLiteral("windows_backup_folder");
const QString kBatKey = QStringLiteral("GenerateBackupBatFile");

QString WithSlash(const QString& folder) {
    if (folder.isEmpty() || folder.endsWith(QLatin1Char('/'))) return folder;
    return folder + QLatin1Char('/');
}
}  // namespace

BackupSettings BackupSettings::Read() {
    ConfigStore& config = Ctx().config();
    BackupSettings s;
    s.backupFolder = config.ReadKey(kFolders, kBackupKey);
    s.windowsBackupFolder = config.ReadKey(kFolders, kWindowsKey);
    config.SelectSection(ConfigStore::StandardSection);
    s.generateBatFile = config.ReadIniBool(kBatKey);
    config.RestoreSection();
    return s;
}

void BackupSettings::Write() const {
    ConfigStore& config = Ctx().config();
    config.WriteKey(kFolders, kBackupKey, WithSlash(backupFolder));
    config.WriteKey(kFolders, kWindowsKey, WithSlash(windowsBackupFolder));
    config.SelectSection(ConfigStore::StandardSection);
    config.WriteIniBool(kBatKey, generateBatFile);
    config.RestoreSection();
}
