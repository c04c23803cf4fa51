#pragma once

#include <QDateTime>
#include <QString>

class ConfigStore;

// File helpers shared by the whole program.

// Size in bytes; -1 when the file is missing.
qint64 FileSizeOf(const QString& path);
// The file's time stamp; the current moment when it is missing.
QDateTime FileDateOf(const QString& path);
// Copies `source` to `target` in blocks (the old target is replaced only by
// a complete copy) and gives the copy the source's time stamp.
bool CopyFileKeepDate(const QString& source, const QString& target);

// Asks the desktop to open the file with the parameters in the folder,
// showing the hourglass meanwhile; a failure is logged.
bool ShellOpen(const QString& file, const QString& parameters = QString(),
               const QString& folder = QString());

// Puts a launcher for the program on the user's desktop:
// <desktop folder>/<program file name>.desktop. False (logged) on failure.
bool CreateDesktopShortcut(ConfigStore& store);

// <ini folder><program file name>.txt / .txl through the current context.
QString ProgramTextFile();
QString ProgramTextListFile();
