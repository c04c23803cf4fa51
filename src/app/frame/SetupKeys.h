#pragma once

#include <QDateTime>
#include <QString>

class ConfigStore;

// Readers of a few setup keys (section "STANDARD" of the open ini) that many
// windows need.

// "Firma_OrgNr"; with `digitsOnly` reduced to its digits.
QString OrganisationNumber(const ConfigStore& store, bool digitsOnly = false);
// Today at the time in "Arbeid_ArbeidstidStart" / "Arbeid_ArbeidstidSlutt"
// ("7:30", "07:30" or "07:30:00"); the current moment when it does not parse.
QDateTime WorkStartToday(const ConfigStore& store);
QDateTime WorkEndToday(const ConfigStore& store);
