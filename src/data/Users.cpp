#include "data/Users.h"

#include "app/frame/AppContext.h"
#include "data/DataModule.h"
#include "db/Connection.h"
#include "db/Table.h"

namespace {

// In GRANT, "_" and "%" in a database name are wildcards: a grant on `a_b` would also reach
// a schema "axb". Escaped, the grant names exactly this schema.
QString GrantSchemaName(const QString& schema) {
    QString out;
    for (QChar c : schema) {
        if (c == u'_' || c == u'%' || c == u'\\') out += u'\\';
        out += c;
    }
    return out;
}

}  // namespace

QString UserSearchFilter(const Connection& connection, const QString& text) {
    const QString pattern = connection.QuoteLike(QStringLiteral("%") + text + QStringLiteral("%"));
    return QStringLiteral("realname like ") + pattern + QStringLiteral(" OR department like ") + pattern +
           QStringLiteral(" OR title like ") + pattern + QStringLiteral(" OR username like ") + pattern;
}

QString CreateAccountSql(const Connection& connection, const QString& userName, const QString& password,
                         const QString& schema) {
    const QString account = connection.Quote(userName) + QStringLiteral("@'%'");
    return QStringLiteral("CREATE USER ") + account + QStringLiteral(" IDENTIFIED BY ") + connection.Quote(password) +
           QStringLiteral(";\n\rGRANT DELETE, INSERT, SELECT, UPDATE ON ") +
           Connection::QuoteIdentifier(GrantSchemaName(schema)) + QStringLiteral(".* TO ") + account +
           QStringLiteral(";");
}

AccountResult CreateServerAccount(const QString& userName, const QString& password) {
    const QString name = userName.trimmed();
    if (password.size() <= 3 || name.size() < 3) {
        ShowMessage(QStringLiteral("FEIL"), QStringLiteral("Passord eller brukernavn er for kort"));
        return AccountResult::TooShort;
    }
    DataModule& dm = DM();
    if (!dm.ExecSql(CreateAccountSql(dm.connection(), name, password, dm.SchemaName()))) {
        QString error = dm.LastSqlError();
        // The server's text may quote the statement: never show the password in it.
        error.replace(password, QStringLiteral("***"));
        error.replace(dm.connection().Escape(password), QStringLiteral("***"));
        ShowMessage(QStringLiteral("FEIL"), error);
        return AccountResult::Refused;
    }
    ShowMessage(QStringLiteral("Informasjon"), QStringLiteral("Brukeren ") + name + QStringLiteral(" er opprettet på serveren."));
    return AccountResult::Created;
}

bool SwitchToUser(Table& users, LogonValues& logon) {
    if (!users.IsActive() || users.RecNo() == 0) return false;
    logon.CurrentUserId = static_cast<int>(users.AsInteger(QStringLiteral("id")));
    logon.CurrentGroupId = static_cast<int>(users.AsInteger(QStringLiteral("defaultgroup")));
    logon.CurrentInitials = users.AsString(QStringLiteral("initials"));
    logon.CurrentRealName = users.AsString(QStringLiteral("realname"));
    logon.CurrentUserName = users.AsString(QStringLiteral("username"));
    logon.CurrentDepartment = users.AsString(QStringLiteral("department"));
    const int company = static_cast<int>(users.AsInteger(QStringLiteral("companyid")));
    if (company != 0) logon.CurrentCompanyId = company;
    logon.UserRights = users.AsString(QStringLiteral("parameter"));
    users.SetFilterSql(QStringLiteral("defaultgroup=") + QString::number(logon.CurrentGroupId));
    return true;
}
