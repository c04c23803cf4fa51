#pragma once

#include <QString>

// The administrator's database tools of the "Verktøy" menu, as operations without windows.
// They work on the current data module's connection and ask, answer and report through the
// current context's Prompter. Each returns true when it did its work.

// "Kjør SQL ...": asks "Utfør SQL:" (offering the last input) and runs a non-empty answer
// with ExecSql; a failure shows the server's error (caption "FEIL").
bool RunSqlCommand();

// "Kjør SQL fra fil": a file choice ("SQL (*.sql)" first and preselected, then "Alle filer
// (*.*)"), run with RunSqlScript; a failure shows the error (caption "FEIL"); the
// statements before it stay done.
bool RunSqlFileCommand();

// "Backup av alle tabeller databasen og brukere": the whole database with its views and
// accounts to <backup folder>backup.sql. A failure shows why (caption "FEIL") and leaves the
// previous file as it was.
bool BackupAllCommand();

// "Backup av tabell": asks "Tabellnavn" (offering "Last_Backup_Table"); an empty answer or a
// cancel does nothing; otherwise the answer is remembered in "Last_Backup_Table" and the
// table goes to <backup folder><name>.sql. A name that is no table of the database is
// reported and writes no file.
bool BackupTableCommand();

// The folder the backups go to: sevrantepath("backup"), ending in "/".
QString BackupFolder();
