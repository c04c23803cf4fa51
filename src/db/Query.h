#pragma once

#include "db/Dataset.h"

// The rows of a replaceable SQL text. Rows can be changed when the result holds an `id`
// column of a table: Post writes that table's columns (others, from joins, are read-only).
class Query : public Dataset {
public:
    explicit Query(Connection& connection, const QString& sql = QString());

    const QString& Sql() const { return sql_; }
    // Closes the query when it is open; Open reads the new text.
    void SetSql(const QString& sql);

    // The table Post writes to; by default the table of the result's `id` column.
    void SetUpdateTable(const QString& table) { updateTable_ = table; }

    QString SelectSql() const override { return sql_; }

protected:
    QString UpdateTable() const override;

private:
    QString sql_;
    QString updateTable_;
};
