#include "data/schema/Header.h"

namespace schema {

QList<ColumnDef> CommonHeader(const QString& table) {
    const bool zeroDefaults = table == "product" || table == "package";
    const QString intDefault = zeroDefaults ? "'0'" : "NULL";
    auto headerInt = [&](const QString& name) { return Col(name, "int(11)", intDefault); };

    ColumnDef id = NotNull("id", "int(11)");
    id.extra = "AUTO_INCREMENT";
    ColumnDef updated = NotNull("updated", "timestamp", "CURRENT_TIMESTAMP");
    // jobs rows keep the time they were made; every other table the time of the last change.
    if (table != "jobs") updated.extra = "ON UPDATE CURRENT_TIMESTAMP";
    ColumnDef rwxAll = headerInt("rwx_all");
    if (table == "items") rwxAll.defaultSql = "'0'";

    QList<ColumnDef> h{
        id,
        Col("created", "varchar(10)"),
        headerInt("user_created"),
        updated,
        headerInt("rec_lock"),
        headerInt("rwx_spesial"),
        Col("rwx_user", "int(11)", "'7'"),
        Col("rwx_group", "int(11)", "'7'"),
        rwxAll,
        headerInt("user"),
        headerInt("usergroup"),
        headerInt("checked"),
        headerInt("user_favorite"),
    };
    const ColumnDef objectText = Col("object_text", "text");
    const ColumnDef usertag = headerInt("usertag");
    const ColumnDef header = Col("header", "varchar(128)");

    if (table == "accounts" || table == "items" || table == "certificate") {
        // certificate has its picture further down.
        h << header << objectText << usertag;
    } else if (table == "entries" || table == "news") {
        h << Col("newsdate", "datetime") << header << objectText << usertag
          << Col("picture", "varchar(127)");
        // news has status here and its object columns further down.
        if (table == "news") h << Col("status", "int(11)");
    } else {
        h << Col("picture", "varchar(128)") << Col("object_url", "varchar(128)")
          << Col("object_name", "varchar(64)") << headerInt("object_tag") << objectText << usertag;
    }
    return h;
}

}  // namespace schema
