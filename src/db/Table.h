#pragma once

#include "db/Dataset.h"

// The rows of one table: SELECT * FROM table [WHERE filter [AND link]] [ORDER BY order].
// Changing the order or the SQL filter of an open table reads it again from the first row.
// The rows are read in pages in the order with `id` as the last tie-break (a table without
// `id` is read whole).
class Table : public Dataset {
public:
    explicit Table(Connection& connection, const QString& tableName = QString());

    const QString& TableName() const { return tableName_; }
    // Closes the table when it is open.
    void SetTableName(const QString& name);

    // ORDER BY text ("" for none), e.g. "companyname" or "ordernumber DESC".
    const QString& Order() const { return order_; }
    bool SetOrder(const QString& order);

    // SQL condition of the rows to show ("" for all). The text is SQL: values in it must
    // be quoted by the connection.
    const QString& FilterSql() const { return filterSql_; }
    bool SetFilterSql(const QString& filter);

    // Marks the SQL filter as the user's own choice (the lookups clear it when set).
    bool Filtered() const { return filtered_; }
    void SetFiltered(bool filtered) { filtered_ = filtered; }

    // Shows only the rows whose detailColumn equals the master's masterColumn, following
    // the master as it moves; new rows get the master's value. nullptr removes the link.
    void SetMasterLink(Dataset* master, const QString& masterColumn, const QString& detailColumn);

    QString SelectSql() const override;
    // " FROM table [WHERE filter AND link AND condition]": the rows this table shows, for a
    // statement of the caller's own about them (a count, a position).
    QString FromWhere(const QString& condition) const;

protected:
    QString UpdateTable() const override { return tableName_; }
    QString PageOrder() const override { return order_; }
    QString PageSql(const QString& condition, const QString& orderBy, std::size_t limit,
                    std::size_t offset) const override;
    QString CountSql() const override;
    QStringList UniqueColumns() const override;

private:
    QString tableName_;
    QString order_;
    QString filterSql_;
    bool filtered_ = false;
    // The table's unique columns, read once from its indexes.
    mutable QStringList uniqueColumns_;
    mutable bool uniqueKnown_ = false;
};
