#pragma once

#include <QString>
#include <functional>

#include "app/frame/LogonValues.h"
#include "db/Connection.h"

// Turns a text into a quoted SQL literal, quotes included: the connection's
// Quote, e.g. [&conn](const QString& s) { return conn.Quote(s); }.
using SqlQuote = std::function<QString(const QString&)>;

// The record access condition on `table` (a table name from the program) for
// the logged-on user U in group G with initials N:
//
//   (T.user=U OR (T.usergroup=G AND (T.rwx_group>3)) OR (T.rwx_all>3))
//
// and with persons, where N must be a whole entry of the persons list (blanks
// ignored, case as the collation says, so "AB" does not match "ABC, DEF" but
// matches "ABC,AB"):
//
//   (T.user=U OR (T.usergroup=G AND (T.rwx_group>3)) OR (T.rwx_all>3)
//    OR FIND_IN_SET('N', REPLACE(CONVERT(T.persons USING utf8mb4), ' ', ''))>0)
//
// on one line. The initials reach the SQL only through `quote`. The persons
// clause is left out when the initials are empty (or hold a comma, which no
// entry can), so such a user sees only what the other terms grant. Without a
// quoting function it is left out too, never pasted unquoted. The condition
// does not look at AdminMode.
QString RecordFilter(const QString& table, bool withPersons, const LogonValues& logon,
                     const SqlQuote& quote);
// The same with the current context's log-on values.
QString RecordFilter(const QString& table, bool withPersons, const SqlQuote& quote);

// The same with the connection's quoting.
QString RecordFilter(const QString& table, bool withPersons, const LogonValues& logon,
                     const Connection& connection);
QString RecordFilter(const QString& table, bool withPersons, const Connection& connection);
