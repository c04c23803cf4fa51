#pragma once

#include <QString>

// The windows the main window's buttons open, by the name each window registers itself
// under (ui/WindowRegistry.h). A window not there yet says "Kommer i en senere versjon".
struct MainWindowTarget {
    QString window;    // the window's name
    QString argument;  // "new" for the new-record row: the list's "Ny" command
};

// The target of a panel button (by its caption, "&" included) or of a new-record row
// button (by its hint, "Nytt firma"); an empty window name when the button has none here.
MainWindowTarget MainWindowTargetOf(const QString& caption);
