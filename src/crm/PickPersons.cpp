// The employee chooser's rules.
#include "crm/PickPersons.h"

#include "app/frame/AppContext.h"
#include "db/Connection.h"
#include "db/Dataset.h"

std::vector<PersonChoice> ActivePersons(Connection& connection) {
    std::vector<PersonChoice> users;
    const QueryResult r = connection.Query(
        QStringLiteral("select initials, realname from users where activ=1 order by realname, id"));
    if (!r.ok()) {
        Ctx().log().WriteLog(QStringLiteral("SQL ERROR: ") + r.Error());
        ShowMessage(QStringLiteral("FEIL"),
                    QStringLiteral("Kan ikke hente brukerne:\n") + r.Error());
        return users;
    }
    for (int i = 0; i < r.RowCount(); ++i)
        users.push_back(PersonChoice{r.Text(i, 0), r.Text(i, 1)});
    return users;
}

bool PickPersons(Dataset& record, const PersonsChooser& choose) {
    if (!record.IsActive() || (record.IsEmpty() && !record.IsEditing()) || !choose) return false;
    const QString old = record.AsString(QStringLiteral("persons"));
    const std::vector<PersonChoice> users = ActivePersons(record.connection());
    const std::optional<std::vector<bool>> ticks = choose(users, PersonsTicks(users, old));
    if (!ticks) return false;
    if (!record.IsEditing() && !record.Edit()) {
        ShowMessage(QStringLiteral("FEIL"),
                    QStringLiteral("Kan ikke endre posten:\n") + record.LastError());
        return false;
    }
    const QString persons = PersonsFromTicks(users, *ticks);
    return record.SetString(QStringLiteral("persons"),
                            persons.isNull() ? QStringLiteral("") : persons);
}
