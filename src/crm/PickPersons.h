#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <vector>

#include "data/Persons.h"

class Connection;
class Dataset;

// The employee chooser ("Velg ansatte ..."): the `persons` column of a record edited as a
// check list of the active users.

// Every user with activ=1, by name: initials and full name.
std::vector<PersonChoice> ActivePersons(Connection& connection);

// The dialog: shows the users with their ticks and returns the ticks on "Hent", nothing
// when closed otherwise.
using PersonsChooser = std::function<std::optional<std::vector<bool>>(
    const std::vector<PersonChoice>& users, const std::vector<bool>& ticked)>;

// PickPersons(table): a user is ticked when its initials are an entry of the current row's
// `persons`; on "Hent" the record goes into editing (unless it is) and `persons` becomes
// the ticked users' initials in list order, joined by ", ". Closing the dialog otherwise
// leaves the record as it was. True when `persons` was written.
bool PickPersons(Dataset& record, const PersonsChooser& choose);
