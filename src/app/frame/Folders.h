#pragma once

#include <QString>
#include <QStringList>

class ConfigStore;
class Log;

// The program's folder tree under the base folder and the temporary files in it.

// The subfolders CreateFolderTree makes, in order ("data\docs" and the like:
// the short names, with "\" as in their folder keys).
const QStringList& FolderTreeNames();
// The two folders reserved for the companion program.
extern const QString CompanionDataFolder;      // "data\companion"
extern const QString CompanionTemplateFolder;  // "maler\companion"

// Creates one folder: logs "Oppretter mappen <path>", or on failure
// "FEIL: [mkdirsafe:<code>] kan ikke opprette mappen <path>".
bool mkdirsafe(Log& log, const QString& path);
// Creates a folder with its missing parents; logs only a failure (as mkdirsafe).
bool MakeFolderPath(Log& log, const QString& path);

// "bin_folder" and "doc_folder", then every folder of the tree with its key.
// Folders that exist already are left alone without a log line.
void CreateFolderTree(ConfigStore& store);

// Empties the program's "tmp" folder (when its path holds "TMP"). With
// `includeSystem` also removes this user's own regular files older than one
// day from the system temporary folder; other users' files, links, sockets,
// subfolders and the printer spool are never touched.
void DeleteTempFiles(ConfigStore& store, bool includeSystem);

// Deletes everything inside `folder` (subfolders emptied and removed), the
// folder itself stays. Only for a path longer than 6 characters that exists.
void EmptyFolder(Log& log, const QString& folder);

// The folder of a short name through the current context's store.
QString sevrantepath(const QString& shortName);
