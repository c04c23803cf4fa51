#pragma once

#include <QString>

class Query;

// Runs a list's query with a statement (hourglass): a changed text reopens it, the same
// text is read again. A statement the server refuses is logged ("SQL ERROR: ...") and shown
// ("FEIL", `failureText` and the server's reason); the query is left closed, so a list is
// never silently empty. True when open.
bool RunListQuery(Query& query, const QString& sql, const QString& failureText);
