#include "crm/ListQuery.h"

#include "app/frame/AppContext.h"
#include "app/frame/BusyCursor.h"
#include "app/frame/Prompter.h"
#include "db/Query.h"

bool RunListQuery(Query& q, const QString& sql, const QString& failureText) {
    BusyCursor busy;
    if (q.Sql() != sql)
        q.SetSql(sql);
    else
        q.Close();
    if (q.Open()) return true;
    const QString error = q.LastError().isEmpty() ? q.connection().LastError() : q.LastError();
    q.Close();
    Ctx().log().WriteLog(QStringLiteral("SQL ERROR: ") + sql);
    ShowMessage(QStringLiteral("FEIL"), failureText + QLatin1Char('\n') + error);
    return false;
}
