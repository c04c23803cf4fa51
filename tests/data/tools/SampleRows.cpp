#include "SampleRows.h"

#include "db/Connection.h"

namespace sampletest {

namespace {

QByteArray EveryByte(int repeat) {
    QByteArray bytes = QString::fromUtf8("\xF0\x9F\x98\x80 emoji ").toUtf8();
    for (int r = 0; r < repeat; ++r)
        for (int b = 0; b < 256; ++b) bytes += static_cast<char>(b);
    return bytes;
}

QString Hex(const QByteArray& bytes) {
    return bytes.isEmpty() ? QStringLiteral("''") : "0x" + QString::fromLatin1(bytes.toHex());
}

// A value for a column of this type in row `row` (0: id 0 and zero dates, 1: NULLs, 2: awkward).
QString ValueFor(Connection& db, const QString& type, qint64 maxChars, bool nullable, int row) {
    if (row == 1 && nullable) return QStringLiteral("NULL");
    if (type.endsWith(QLatin1String("int"))) return QString::number(row * 37 - 5 + 10);
    if (type == QLatin1String("decimal"))
        return row == 2 ? QStringLiteral("1234567.89") : QStringLiteral("-0.5");
    if (type == QLatin1String("float") || type == QLatin1String("double"))
        return QStringLiteral("0.1");
    if (type == QLatin1String("date"))
        return row == 0 ? QStringLiteral("'0000-00-00'") : QStringLiteral("'2024-02-29'");
    if (type == QLatin1String("datetime") || type == QLatin1String("timestamp"))
        return row == 0 ? QStringLiteral("'0000-00-00 00:00:00'")
                        : QStringLiteral("'2021-06-15 12:34:56'");
    if (type.endsWith(QLatin1String("blob"))) {
        QByteArray bytes = EveryByte(type == QLatin1String("tinyblob") ? 0 : 4);
        if (type == QLatin1String("tinyblob")) bytes += QByteArray(200, '\0');
        if (type == QLatin1String("longblob") && row == 2) bytes = EveryByte(12 * 1024);  // 3 MB
        return Hex(bytes.left(static_cast<qsizetype>(qMin<qint64>(maxChars, bytes.size()))));
    }
    QString text = QString::number(row) + NastyText();  // unique keys need differing texts
    if (type == QLatin1String("mediumtext") && row == 2)
        text += QString(2 * 1024 * 1024, QLatin1Char('y'));
    if (type == QLatin1String("text") && row == 2) text += QString(60000, QLatin1Char('t'));
    if (maxChars > 0 && text.size() > maxChars) text = text.left(static_cast<qsizetype>(maxChars));
    return db.Quote(text);
}

}  // namespace

QString NastyText() {
    return QString::fromUtf8(
               "æøå ÆØÅ 'sitat' \"dobbel\" back\\slash\\ ;-- ikke kommentar /* nei */ # nei\n") +
           QChar(0) + QStringLiteral("\r\tslutt");
}

bool FillSampleRows(Connection& db, QString* error) {
    if (!db.Exec("SET SESSION sql_mode = CONCAT(@@SESSION.sql_mode, ',NO_AUTO_VALUE_ON_ZERO')")) {
        *error = db.LastError();
        return false;
    }
    const QueryResult tables = db.Query(
        "SELECT TABLE_NAME FROM information_schema.TABLES WHERE TABLE_SCHEMA = DATABASE() AND "
        "TABLE_TYPE = 'BASE TABLE'");
    for (int t = 0; t < tables.RowCount(); ++t) {
        const QString table = tables.Text(t, 0);
        const QueryResult cols = db.Query(
            "SELECT COLUMN_NAME, DATA_TYPE, CHARACTER_MAXIMUM_LENGTH, IS_NULLABLE FROM "
            "information_schema.COLUMNS "
            "WHERE TABLE_SCHEMA = DATABASE() AND TABLE_NAME = " +
            db.Quote(table) + " ORDER BY ORDINAL_POSITION");
        for (int row = 0; row < 3; ++row) {
            QStringList names;
            QStringList values;
            for (int c = 0; c < cols.RowCount(); ++c) {
                const QString name = cols.Text(c, 0);
                if (name == QLatin1String("id")) {
                    if (row != 0) continue;
                    names << "`id`";
                    values << "0";
                    continue;
                }
                names << Connection::QuoteIdentifier(name);
                values << ValueFor(db, cols.Text(c, 1), cols.Text(c, 2).toLongLong(),
                                   cols.Text(c, 3) == "YES", row);
            }
            if (!db.Exec("INSERT INTO " + Connection::QuoteIdentifier(table) + " (" +
                         names.join(',') + ") VALUES (" + values.join(',') + ")")) {
                *error = table + ": " + db.LastError();
                return false;
            }
        }
    }
    // Line items enough for several INSERT statements of the backup.
    const QueryResult cols = db.Query(
        "SELECT GROUP_CONCAT(CONCAT('`', COLUMN_NAME, '`') ORDER BY ORDINAL_POSITION) FROM "
        "information_schema.COLUMNS "
        "WHERE TABLE_SCHEMA = DATABASE() AND TABLE_NAME = 'items' AND COLUMN_NAME <> 'id'");
    const QString large =
        db.Query("SELECT MAX(id) FROM items").Scalar();  // the row with the large texts
    for (int i = 0; i < 11; ++i) {
        if (!db.Exec("INSERT INTO items (" + cols.Scalar() + ") SELECT " + cols.Scalar() +
                     " FROM items WHERE id <> " + large)) {
            *error = "items: " + db.LastError();
            return false;
        }
    }
    return true;
}

std::map<QString, TableState> SchemaState(Connection& db) {
    std::map<QString, TableState> state;
    const QueryResult tables = db.Query(
        "SELECT TABLE_NAME FROM information_schema.TABLES WHERE TABLE_SCHEMA = DATABASE()");
    for (int t = 0; t < tables.RowCount(); ++t) {
        const QString table = tables.Text(t, 0);
        const QString quoted = Connection::QuoteIdentifier(table);
        TableState s;
        s.checksum = db.Query("CHECKSUM TABLE " + quoted).Text(0, 1) + ' ' +
                     db.Query("SELECT COUNT(*) FROM " + quoted).Scalar();
        s.create = db.Query("SHOW CREATE TABLE " + quoted).Text(0, 1);
        state[table] = s;
    }
    return state;
}

bool DropEverything(Connection& db, QString* error) {
    const QueryResult r = db.Query(
        "SELECT TABLE_NAME, TABLE_TYPE FROM information_schema.TABLES WHERE TABLE_SCHEMA = "
        "DATABASE()");
    for (int i = 0; i < r.RowCount(); ++i) {
        const QString what = r.Text(i, 1) == "VIEW" ? "VIEW " : "TABLE ";
        if (!db.Exec("DROP " + what + Connection::QuoteIdentifier(r.Text(i, 0)))) {
            *error = db.LastError();
            return false;
        }
    }
    return true;
}

}  // namespace sampletest
