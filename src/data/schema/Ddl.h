#pragma once

#include <QString>

#include "data/schema/TableDef.h"

// SQL text generated from the table definitions.
namespace schema {

// The column as it stands in CREATE TABLE and ALTER TABLE: `name` type [NOT NULL] [DEFAULT ..]
// [extra].
QString ColumnSql(const ColumnDef& column);
// CREATE TABLE IF NOT EXISTS with every column and key, InnoDB, the table's character set.
QString CreateTableSql(const TableDef& table);
// The key as it stands in CREATE TABLE: PRIMARY KEY (`id`) or UNIQUE KEY `name` (`col`).
QString KeySql(const KeyDef& key);

}  // namespace schema
