// Users and groups.
#include "data/schema/Tables.h"

namespace schema {

QList<ColumnDef> PersonColumns(bool withIniFile) {
    QList<ColumnDef> c{
        Col("activ", "int(11)"),
        Col("activationkey", "varchar(60)"),
        Col("doorkey", "varchar(30)"),
        Col("username", "varchar(30)"),
        Col("domain", "varchar(64)"),
        Col("passwd", "varchar(50)"),
        Col("passwdvariant", "int(11)"),
        Col("realname", "varchar(60)"),
        Col("email", "varchar(60)"),
        Col("defaultgroup", "int(11)"),
        Col("streetaddress", "varchar(80)"),
        Col("postaladdress", "varchar(80)"),
        Col("postalcode", "varchar(6)"),
        Col("city", "varchar(50)"),
        Col("homephone", "varchar(20)"),
        Col("mobilephone", "varchar(20)"),
        Col("telefax", "varchar(20)"),
        Col("internalphone", "varchar(20)"),
        Col("lastip", "varchar(40)"),
        Col("homeip", "varchar(40)"),
        Col("homepage", "varchar(80)"),
        Col("logoncount", "int(11)", "'0'"),
        Col("parameter", "blob"),
        Col("sql_hostname", "varchar(128)"),
        Col("sql_database", "varchar(64)"),
        Col("sql_user", "varchar(64)"),
        Col("sql_passwd", "varchar(64)"),
        Col("companyid", "int(11)"),
        Col("title", "varchar(40)"),
        Col("department", "varchar(60)"),
        Col("defaulthost", "int(11)"),
        Col("birth", "varchar(10)"),
        Col("ssid", "varchar(30)"),
        Col("orgcode", "int(11)"),
        Col("gender", "int(11)"),
        Col("skypeaddress", "varchar(64)"),
        Col("initials", "varchar(8)"),
        Col("persons", "text"),
    };
    if (withIniFile) c << Col("inifile", "text");
    c << Col("home_email", "varchar(60)");
    return c;
}

QList<TableDef> FrameTables() {
    return {
        MakeTable("users", Latin1(), PersonColumns(true)),
        MakeTable("groups", Latin1(),
                  {
                      Col("group_id", "int(11)"),
                      Col("group_name", "varchar(30)"),
                      Col("group_members", "mediumtext"),
                      Col("passwd", "varchar(50)"),
                      Col("passwdvariant", "int(11)"),
                      Col("persons", "text"),
                  }),
    };
}

}  // namespace schema
