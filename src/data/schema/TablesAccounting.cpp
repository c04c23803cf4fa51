// Chart of accounts and entries.
#include "data/schema/Tables.h"

namespace schema {

QList<TableDef> AccountingTables() {
    return {
        MakeTable("accounts", Utf8Unicode(),
                  {
                      // header stands in the record header (after user_favorite).
                      Amount("sum"),
                      Amount("budget"),
                      Col("accountname", "varchar(127)"),
                      Col("account", "int(11)"),
                      Col("vatcode", "tinyint(4)", "'0'"),
                      Col("bankaccount", "tinyint(4)", "'0'"),
                      Col("bankaccountnumber", "varchar(63)"),
                      Amount("mortage"),
                      Amount("credit"),
                      Col("vattype", "tinyint(4)", "'0'"),
                      Col("active", "tinyint(4)", "'0'"),
                      Amount("lastyearsum"),
                      Col("projectid", "int(11)"),
                      Col("systemid", "int(11)"),
                      Col("companyid", "int(11)"),
                      Col("assetid", "int(11)"),
                      Col("documentid", "int(11)"),
                      Col("mainaccount", "int(11)"),
                  }),
        MakeTable("entries", Utf8Unicode(),
                  {
                      // newsdate and header stand in the record header.
                      Col("entrydate", "date"),
                      Amount("sum"),
                      Col("from_account", "int(11)"),
                      Col("to_account", "int(11)"),
                      Col("entrytext", "varchar(127)"),
                      Col("vatcode", "tinyint(4)"),
                      Amount("vatsum"),
                      Col("companyid", "int(11)"),
                      Col("projectid", "int(11)"),
                      Col("department", "varchar(63)"),
                      Col("assetid", "int(11)"),
                      Col("subprojectid", "int(11)"),
                      Col("subassetid", "int(11)"),
                      Col("invoiceno", "varchar(63)"),
                      Col("documentid", "int(11)"),
                      Col("entryno", "int(11)"),
                  }),
    };
}

}  // namespace schema
