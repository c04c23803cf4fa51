#pragma once

#include <QString>
#include <functional>

// The program's windows by name, so that a command can show a window of another register
// without knowing its class ("CompanyListForm", "ContactDataForm", "PostnummerForm",
// "MainWindow", ...). A window registers how it is shown when it is made and removes
// itself when it goes; a name nobody registered (its window comes with a later version)
// says "Kommer i en senere versjon".
using WindowShower = std::function<void(const QString& argument)>;

// Registers (or, with an empty function, removes) the window of a name.
void RegisterWindow(const QString& name, WindowShower show);
// Removes the window of a name only when `owner` registered it (for destructors).
void UnregisterWindow(const QString& name, const void* owner);
// As RegisterWindow, remembering `owner` for UnregisterWindow.
void RegisterWindow(const QString& name, const void* owner, WindowShower show);

bool IsWindowRegistered(const QString& name);
// Shows the window with an argument of its own meaning (a postal code, a condition);
// false, after "Kommer i en senere versjon", when no window has the name.
bool ShowWindow(const QString& name, const QString& argument = QString());
