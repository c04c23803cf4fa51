#pragma once

#include <QString>

class Connection;
class Dataset;
class Table;
struct LogonValues;

// The users register's operations: the list's filters, the database account of a user, and
// acting as another user.

// The list's fixed filters.
inline const QString kActiveUsersFilter = QStringLiteral("activ=1");
inline const QString kInactiveUsersFilter = QStringLiteral("activ=0");
inline const QString kPublishedUsersFilter = QStringLiteral("rwx_all>0");

// The filter of the list's search: the text anywhere in the name, department, title or log-on
// name. The text is quoted by the connection; "%" and "_" in it stay wildcards.
QString UserSearchFilter(const Connection& connection, const QString& text);

// The statements that create the account `userName`@'%' with the password and grant it
// DELETE, INSERT, SELECT and UPDATE on the tables of `schema` alone; the name and the password
// are quoted by the connection, and "_" and "%" in the schema's name match only themselves.
QString CreateAccountSql(const Connection& connection, const QString& userName, const QString& password,
                         const QString& schema);

// "Opprett på server" through the current data module: a password of at most three
// characters or a name of fewer than three shows "Passord eller brukernavn er for kort"
// (caption "FEIL") and does nothing; otherwise the account is created on the company's schema
// and the user is told whether the server did it ("Brukeren <name> er opprettet på
// serveren." or the server's refusal, caption "FEIL").
enum class AccountResult { TooShort, Refused, Created };
AccountResult CreateServerAccount(const QString& userName, const QString& password);

// "Bytt til denne brukeren": the log-on values of the users table's current row (the
// server, the password, the administrator mode and the connection stay), then the users
// filter "defaultgroup=<group>". False, with nothing changed, when there is no row.
bool SwitchToUser(Table& users, LogonValues& logon);
