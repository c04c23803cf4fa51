#pragma once

#include <QString>

// File-system facts and operations that need the operating system's own
// answer (error codes, owners).
namespace platform {
// Creates one folder; 0 on success, else the system error code.
int MakeFolder(const QString& path);
// Creates a folder with all missing parents; 0 on success, else the system error code.
int MakePath(const QString& path);
// True when the file exists and this user may not write it, or nobody may.
bool IsReadOnlyFile(const QString& path);
// True when `path` is a regular file (not a link, socket, pipe or device)
// owned by the user running the program.
bool IsOwnRegularFile(const QString& path);
// The same folder, resolved (links followed), or the cleaned path when it does not exist.
QString CanonicalFolder(const QString& path);
// `path` lies inside `folder` (both resolved as far as they exist).
bool IsInsideFolder(const QString& path, const QString& folder);
}  // namespace platform
