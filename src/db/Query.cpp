#include "db/Query.h"

Query::Query(Connection& connection, const QString& sql) : Dataset(connection), sql_(sql) {}

void Query::SetSql(const QString& sql) {
    Close();
    sql_ = sql;
}

QString Query::UpdateTable() const {
    if (!updateTable_.isEmpty()) return updateTable_;
    for (int i = 0; i < FieldCount(); ++i) {
        const Field* f = FieldAt(i);
        if (f->Kind() == FieldKind::Data && f->IsBound() &&
            f->OriginName().compare(QLatin1String("id"), Qt::CaseInsensitive) == 0)
            return f->OriginTable();
    }
    return QString();
}
