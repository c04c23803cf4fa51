#pragma once

#include <QDateTime>
#include <QString>
#include <QtGlobal>

// One file dropped on the main window from the desktop: its full path, file
// name, size and time stamp. The documents archive takes it over from here;
// for now the file is logged, and one that cannot be read is reported
// ("FEIL"). True when the file could be read.
bool ImportDroppedFile(const QString& path, const QString& name, qint64 size,
                       const QDateTime& time);
