#include "data/schema/LiveSchema.h"

#include "db/Connection.h"

namespace schema {

const LiveColumn* LiveTable::Column(const QString& column) const {
    for (const LiveColumn& c : columns) {
        if (c.name.compare(column, Qt::CaseInsensitive) == 0) return &c;
    }
    return nullptr;
}

bool ReadLiveSchema(Connection& db, QMap<QString, LiveTable>* tables, QString* error) {
    tables->clear();
    const QueryResult current = db.Query("SELECT DATABASE()");
    if (!current.ok()) {
        *error = current.Error();
        return false;
    }
    if (current.IsNull(0, 0)) {
        *error = "Ingen database er valgt";
        return false;
    }

    const QueryResult t = db.Query(
        "SELECT TABLE_NAME, ENGINE, TABLE_COLLATION FROM information_schema.TABLES "
        "WHERE TABLE_SCHEMA = DATABASE() AND TABLE_TYPE = 'BASE TABLE'");
    const QueryResult c = db.Query(
        "SELECT TABLE_NAME, COLUMN_NAME, COLUMN_TYPE FROM information_schema.COLUMNS "
        "WHERE TABLE_SCHEMA = DATABASE() ORDER BY TABLE_NAME, ORDINAL_POSITION");
    const QueryResult k = db.Query(
        "SELECT DISTINCT TABLE_NAME, INDEX_NAME FROM information_schema.STATISTICS "
        "WHERE TABLE_SCHEMA = DATABASE()");
    for (const QueryResult* r : {&t, &c, &k}) {
        if (!r->ok()) {
            *error = r->Error();
            return false;
        }
    }
    for (int i = 0; i < t.RowCount(); ++i) {
        LiveTable& table = (*tables)[t.Text(i, 0)];
        table.name = t.Text(i, 0);
        table.engine = t.Text(i, 1);
        table.collation = t.Text(i, 2);
    }
    for (int i = 0; i < c.RowCount(); ++i) {
        auto it = tables->find(c.Text(i, 0));
        if (it != tables->end()) it->columns << LiveColumn{c.Text(i, 1), c.Text(i, 2).toLower()};
    }
    for (int i = 0; i < k.RowCount(); ++i) {
        auto it = tables->find(k.Text(i, 0));
        if (it != tables->end()) it->keys << k.Text(i, 1);
    }
    return true;
}

}  // namespace schema
