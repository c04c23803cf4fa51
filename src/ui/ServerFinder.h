#pragma once

#include <QString>

class Table;

// Type-ahead on a table read in pages without reading every row: the server says where the
// first row whose column starts with a text stands, and only the rows up to it are read.
//
// It serves when the table's order begins with the searched text column (either direction):
// one statement, under the table's filter and master link, gives the `id` of the first row in
// the table's order (with the `id` tie-break the pages use) whose column is LIKE the text
// followed by "%" ("%" and "_" in the text match themselves; case ignored as the column's
// collation and the Danish-Norwegian one both compare it), and the number of rows before
// that row's block. The rows up to it are then read and checked here: the row must hold
// that `id` and start with the text (ignoring case), else a few rows further on are tried.
namespace serverfinder {

// The server could not tell (another order, an error, or the rows here disagree with it):
// the caller reads the rows itself.
constexpr int kCannotTell = -2;
// No row starts with the text (nothing was read).
constexpr int kNoMatch = -1;

// Whether FindPrefix can serve a search of `column` in the table's present order.
bool Serves(const Table& table, const QString& column);

// The 0-based row of the first row whose column starts with `text`, the rows up to it read;
// kNoMatch or kCannotTell.
int FindPrefix(Table& table, const QString& column, const QString& text);

// The statement FindPrefix sends: one row (the `id`, the rows before it), or none when no
// row matches. Empty when it does not serve.
QString PositionSql(const Table& table, const QString& column, const QString& text);

}  // namespace serverfinder
