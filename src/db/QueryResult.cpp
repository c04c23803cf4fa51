#include "db/QueryResult.h"

QueryResult QueryResult::Failed(const QString& error) {
    QueryResult r;
    r.ok_ = false;
    r.error_ = error;
    return r;
}

int QueryResult::ColumnIndex(const QString& name) const {
    for (int i = 0; i < columns_.size(); ++i) {
        if (columns_[i].compare(name, Qt::CaseInsensitive) == 0) return i;
    }
    return -1;
}

const QueryResult::Value& QueryResult::At(int row, int column) const {
    static const Value none;
    if (row < 0 || row >= RowCount() || column < 0) return none;
    const Row& r = rows_[static_cast<size_t>(row)];
    if (column >= static_cast<int>(r.size())) return none;
    return r[static_cast<size_t>(column)];
}

QString QueryResult::Text(int row, int column) const { return At(row, column).value_or(QString()); }

QString QueryResult::Text(int row, const QString& column) const {
    return Text(row, ColumnIndex(column));
}
