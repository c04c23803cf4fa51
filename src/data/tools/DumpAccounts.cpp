// The user accounts of the backup scripts: who holds grants on the schema.
#include <QRegularExpression>

#include "data/tools/DumpWriter.h"
#include "db/Connection.h"

namespace sqltools {

namespace {

// A schema name as GRANT may have stored it with its wildcards escaped ("a_b" as "a\_b").
QString EscapedSchema(const QString& schema) {
    QString s = schema;
    s.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    s.replace(QLatin1Char('_'), QLatin1String("\\_"));
    s.replace(QLatin1Char('%'), QLatin1String("\\%"));
    return s;
}

// "'name'@'host'" as information_schema writes a grantee.
bool SplitGrantee(const QString& grantee, QString* user, QString* host) {
    const qsizetype at = grantee.lastIndexOf(QLatin1String("'@'"));
    if (!grantee.startsWith(QLatin1Char('\'')) || !grantee.endsWith(QLatin1Char('\'')) || at < 1)
        return false;
    *user = grantee.mid(1, at - 1);
    *host = grantee.mid(at + 3, grantee.size() - at - 4);
    return true;
}

}  // namespace

bool DumpWriter::WriteAccounts(const QString& schema) {
    const QString escaped = EscapedSchema(schema);
    const QString schemas = db_.Quote(schema) + QLatin1Char(',') + db_.Quote(escaped);
    const QueryResult grantees = db_.Query(
        QStringLiteral(
            "SELECT GRANTEE FROM information_schema.SCHEMA_PRIVILEGES WHERE TABLE_SCHEMA IN (") +
        schemas +
        QStringLiteral(") UNION SELECT GRANTEE FROM information_schema.TABLE_PRIVILEGES WHERE "
                       "TABLE_SCHEMA IN (") +
        schemas + QStringLiteral(") ORDER BY 1"));
    if (!Put(QStringLiteral("\n-- Brukerkontoer med rettigheter på databasen ") + schema +
             QLatin1Char('\n')))
        return false;
    if (!grantees.ok()) {
        skippedAccounts_ << grantees.Error();
        return Put(QStringLiteral("-- (kunne ikke leses: ") + grantees.Error().simplified() +
                   QStringLiteral(")\n"));
    }
    // Grant lines on this schema: "... ON `schema`.* TO ..." or "... ON `schema`.`table` TO ...".
    const QStringList onSchema{QStringLiteral(" ON ") + QuoteName(schema) + QLatin1Char('.'),
                               QStringLiteral(" ON ") + QuoteName(escaped) + QLatin1Char('.')};
    static const QRegularExpression createHead(
        QStringLiteral("^CREATE USER\\s+(IF NOT EXISTS\\s+)?"),
        QRegularExpression::CaseInsensitiveOption);
    for (int i = 0; i < grantees.RowCount(); ++i) {
        const QString grantee = grantees.Text(i, 0);
        QString user;
        QString host;
        if (!SplitGrantee(grantee, &user, &host)) continue;
        const QString account = db_.Quote(user) + QLatin1Char('@') + db_.Quote(host);
        const QueryResult create = db_.Query(QStringLiteral("SHOW CREATE USER ") + account);
        const QueryResult grants =
            create.ok() ? db_.Query(QStringLiteral("SHOW GRANTS FOR ") + account) : create;
        if (!grants.ok()) {
            skippedAccounts_ << grantee;
            if (!Put(QStringLiteral("-- ") + grantee + QStringLiteral(" (kunne ikke leses: ") +
                     grants.Error().simplified() + QStringLiteral(")\n")))
                return false;
            continue;
        }
        QString statements =
            create.Text(0, 0).replace(createHead, QStringLiteral("CREATE USER IF NOT EXISTS ")) +
            QStringLiteral(";\n");
        for (int g = 0; g < grants.RowCount(); ++g) {
            const QString line = grants.Text(g, 0);
            for (const QString& on : onSchema) {
                if (line.contains(on)) {
                    statements += line + QStringLiteral(";\n");
                    break;
                }
            }
        }
        if (!Put(statements)) return false;
        accounts_ << grantee;
    }
    return true;
}

}  // namespace sqltools
