#pragma once

#include <QString>

namespace platform {
// Asks the desktop to open `file` (a document, folder, URL or "mailto:"
// address) in `folder`. A program file is started with `parameters` (split
// like a shell command line); anything else goes to the desktop's handler
// (xdg-open). True when the handler or program could be started.
bool ShellOpen(const QString& file, const QString& parameters = QString(),
               const QString& folder = QString());
}  // namespace platform
