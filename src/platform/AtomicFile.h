#pragma once

#include <QByteArray>
#include <QString>

// Every file the program writes replaces the old one only when the new one
// is complete: the bytes go to a temporary file beside the target, which is
// then renamed over it. A crash or a full disk leaves the old file intact.
namespace platform {
// Writes `data` as the whole new content of `path`. On failure the old file
// is untouched and `error` (when given) says why.
bool WriteFileAtomic(const QString& path, const QByteArray& data, QString* error = nullptr);
// Appends `data` to `path`, creating it when missing (a log line, one at a time).
bool AppendToFile(const QString& path, const QByteArray& data, QString* error = nullptr);
}  // namespace platform
