#pragma once

#include <QString>
#include <QStringList>

// The program's command line: "--debug", "-install", "-ip <address>",
// "--caption <text>", "--user <name>", and "--quit-after-start" (run the
// start and the end of the program without showing a window).
struct CommandLine {
    bool debug = false;
    bool install = false;
    bool quitAfterStart = false;
    QString ip;
    QString caption;  // caption of the built-in web browser window
    QString user;
};

// Reads the arguments after the program name; unknown ones are ignored, a
// value option without its value keeps the value empty.
CommandLine ParseCommandLine(const QStringList& arguments);
