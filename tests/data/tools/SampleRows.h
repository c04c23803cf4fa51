#pragma once
// Rows in every table of a schema that are hard to write back: texts with æøå, quotes,
// backslashes, NUL, comment marks and line breaks; NULL in every nullable column; zero dates;
// blobs with every byte value and an emoji; id 0; a large text and a large blob; and enough
// line items for several INSERT statements.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <map>

class Connection;

namespace sampletest {

// The awkward text (NUL included) as it is stored.
QString NastyText();

// Fills every base table of the connected schema. False with *error when a statement failed.
bool FillSampleRows(Connection& db, QString* error);

// Per table of the connected schema: "<CHECKSUM TABLE value> <row count>", and the table's
// definition as the server shows it.
struct TableState {
    QString checksum;
    QString create;
    bool operator==(const TableState&) const = default;
};
std::map<QString, TableState> SchemaState(Connection& db);

// Drops every table and view of the connected schema.
bool DropEverything(Connection& db, QString* error);

}  // namespace sampletest
