#include "data/schema/SqlMode.h"

#include <QStringList>

#include "db/Connection.h"

namespace schema {

QString WithoutZeroDateFlags(const QString& sqlMode) {
    QStringList kept;
    for (const QString& flag : sqlMode.split(',', Qt::SkipEmptyParts)) {
        const QString f = flag.trimmed();
        if (f.compare("NO_ZERO_DATE", Qt::CaseInsensitive) == 0 ||
            f.compare("NO_ZERO_IN_DATE", Qt::CaseInsensitive) == 0) {
            continue;
        }
        kept << f;
    }
    return kept.join(',');
}

ZeroDateMode::ZeroDateMode(Connection& db) : db_(db) {
    const QueryResult r = db_.Query("SELECT @@SESSION.sql_mode");
    if (!r.ok()) return;
    saved_ = r.Scalar();
    const QString relaxed = WithoutZeroDateFlags(saved_);
    if (relaxed != saved_) {
        if (!db_.Exec("SET SESSION sql_mode = " + db_.Quote(relaxed))) return;
        changed_ = true;
    }
    ok_ = true;
}

ZeroDateMode::~ZeroDateMode() {
    if (changed_) db_.Exec("SET SESSION sql_mode = " + db_.Quote(saved_));
}

}  // namespace schema
