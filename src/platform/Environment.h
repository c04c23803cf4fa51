#pragma once

#include <QString>

// Environment values of the running program and the folders they point to.
namespace platform {
// The value of an environment variable, empty when it is not set.
QString EnvValue(const char* name);

// The base of the program's folder tree, ending in "/":
// $APPDATA/Sevrante/ when APPDATA is set, else $XDG_DATA_HOME/Sevrante/
// (default ~/.local/share/Sevrante/).
QString BaseFolder();

// The user's home folder (no trailing "/").
QString HomeFolder();

// The system's temporary folder: $TMPDIR, else /tmp (no trailing "/").
QString TempFolder();

// The system log-on name of the user running the program ($USER, $LOGNAME,
// else the password database); empty when none is known.
QString OsUserName();

// The full path of the running program.
QString ProgramPath();

// The user's desktop folder: XDG_DESKTOP_DIR of the user's user-dirs.dirs,
// else ~/Desktop (no trailing "/").
QString DesktopFolder();
}  // namespace platform
