#pragma once

#include <QString>

// The settings of the backup setup window ("Oppsett sikkerhetskopi"): "backup_folder" and
// "windows_backup_folder" of section "FOLDERS", "GenerateBackupBatFile" of "STANDARD",
// in the company ini. Only "backup_folder" is used by the program (it is the backup folder);
// the other two are kept for outside backup tools.
struct BackupSettings {
    QString backupFolder;
    QString windowsBackupFolder;
    bool generateBatFile = false;

    static BackupSettings Read();
    // Folders are stored ending in "/" (an empty one stays empty).
    void Write() const;
};
