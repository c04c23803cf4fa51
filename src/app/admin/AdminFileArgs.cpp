#include "app/admin/AdminFileArgs.h"

bool ParseSubcommandOptions(const QStringList& arguments, const QStringList& allowed,
                            QMap<QString, QString>* values, QString* error) {
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (!arg.startsWith(QLatin1String("--"))) {
            *error = QStringLiteral("uventet argument ") + arg;
            return false;
        }
        QString name = arg.mid(2);
        QString value;
        const qsizetype eq = name.indexOf(QLatin1Char('='));
        if (eq >= 0) {
            value = name.mid(eq + 1);
            name = name.left(eq);
        } else if (i + 1 < arguments.size() && !arguments[i + 1].startsWith(QLatin1String("--"))) {
            value = arguments[++i];
        } else {
            *error = QStringLiteral("valget --") + name + QStringLiteral(" mangler en verdi");
            return false;
        }
        if (!allowed.contains(name)) {
            *error = QStringLiteral("ukjent valg --") + name;
            return false;
        }
        if (values->contains(name)) {
            *error = QStringLiteral("valget --") + name + QStringLiteral(" er gitt to ganger");
            return false;
        }
        if (value.isEmpty()) {
            *error = QStringLiteral("valget --") + name + QStringLiteral(" mangler en verdi");
            return false;
        }
        values->insert(name, value);
    }
    return true;
}
