#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

// The backup and restore subcommands' own options: "--name value" or "--name=value",
// each of the allowed names at most once. False with *error for anything else.
bool ParseSubcommandOptions(const QStringList& arguments, const QStringList& allowed,
                            QMap<QString, QString>* values, QString* error);
