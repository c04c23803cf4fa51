#pragma once

#include <QString>
#include <QStringList>

class AppContext;

// The start of the program, before any window: reads the command line,
// finds and opens the company ini, creates the folder tree when missing,
// opens the log. `arguments` are those after the program name.
void RunStart(AppContext& ctx, const QStringList& arguments, const QString& workingDir);

// The end, after the last window: writes the company ini back (unless it is
// read-only), logs the closing lines and writes the log file.
void RunEnd(AppContext& ctx);

// The log file's path: <base>/log/<program file name without extension>.log.
QString LogFilePath(const QString& programPath);
