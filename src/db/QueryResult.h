#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// The rows of a small SELECT, held as nullable texts exactly as the server sent them.
// For large results use a Dataset, which keeps rows compactly.
class QueryResult {
public:
    using Value = std::optional<QString>;  // std::nullopt is SQL NULL
    using Row = std::vector<Value>;

    QueryResult() = default;
    static QueryResult Failed(const QString& error);

    bool ok() const { return ok_; }
    const QString& Error() const { return error_; }

    const QStringList& Columns() const { return columns_; }
    int ColumnCount() const { return static_cast<int>(columns_.size()); }
    // Position of a column (compared without regard to case), -1 when missing.
    int ColumnIndex(const QString& name) const;

    int RowCount() const { return static_cast<int>(rows_.size()); }
    bool IsEmpty() const { return rows_.empty(); }
    const std::vector<Row>& Rows() const { return rows_; }
    const Value& At(int row, int column) const;
    bool IsNull(int row, int column) const { return !At(row, column).has_value(); }
    // The value as text; NULL, a missing row or a missing column read as "".
    QString Text(int row, int column) const;
    QString Text(int row, const QString& column) const;
    // First column of the first row ("" when there is none or it is NULL).
    QString Scalar() const { return Text(0, 0); }

    // Filled by the connection.
    void SetColumns(QStringList columns) { columns_ = std::move(columns); }
    void AddRow(Row row) { rows_.push_back(std::move(row)); }
    void SetOk(bool ok) { ok_ = ok; }

private:
    bool ok_ = false;
    QString error_;
    QStringList columns_;
    std::vector<Row> rows_;
};
