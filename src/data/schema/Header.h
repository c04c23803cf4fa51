#pragma once

#include <QList>
#include <QString>

#include "data/schema/TableDef.h"

namespace schema {

// The common record header that begins the given table, with that table's
// deviations (columns left out or moved, other defaults). Columns the
// deviation moves further down the table are left to the table's own list.
QList<ColumnDef> CommonHeader(const QString& table);

}  // namespace schema
