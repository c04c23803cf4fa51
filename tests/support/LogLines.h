#pragma once
// What a test reads from the program's log.
#include <QString>
#include <QStringList>

#include "app/frame/Log.h"

namespace testsupport {

// The log's messages without their time stamps ("<date> <time> <message>").
inline QStringList LogMessagesOf(const Log& log) {
    QStringList out;
    for (const QString& line : log.Lines()) {
        const qsizetype first = line.indexOf(QLatin1Char(' '));
        const qsizetype second = first < 0 ? -1 : line.indexOf(QLatin1Char(' '), first + 1);
        out << (second < 0 ? line : line.mid(second + 1));
    }
    return out;
}

// Whether any line of the log holds the text.
inline bool LogMentionsOf(const Log& log, const QString& text) {
    for (const QString& line : log.Lines())
        if (line.contains(text)) return true;
    return false;
}

}  // namespace testsupport
