#include "app/frame/CommandLine.h"

CommandLine ParseCommandLine(const QStringList& arguments) {
    CommandLine line;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments.at(i);
        const QString next = arguments.value(i + 1);
        if (arg == QLatin1String("--debug")) {
            line.debug = true;
        } else if (arg == QLatin1String("-install")) {
            line.install = true;
        } else if (arg == QLatin1String("--quit-after-start")) {
            line.quitAfterStart = true;
        } else if (arg == QLatin1String("-ip")) {
            line.ip = next;
            ++i;
        } else if (arg == QLatin1String("--caption")) {
            line.caption = next;
            ++i;
        } else if (arg == QLatin1String("--user")) {
            line.user = next;
            ++i;
        }
    }
    return line;
}
