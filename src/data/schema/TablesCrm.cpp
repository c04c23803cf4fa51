// Companies and contacts.
#include "data/schema/Tables.h"

namespace schema {

QList<TableDef> CrmTables() {
    return {
        MakeTable("company", Latin1(),
                  {
                      Col("orgnumber", "varchar(20)"),
                      Col("companyname", "varchar(80)"),
                      Col("email", "varchar(60)"),
                      Col("streetaddress", "varchar(80)"),
                      Col("postaladdress", "varchar(80)"),
                      Col("postalcode", "varchar(6)"),
                      Col("city", "varchar(50)"),
                      Col("country", "int(11)", "'47'"),
                      Col("phone", "varchar(20)"),
                      Col("telefax", "varchar(20)"),
                      Col("homepage", "varchar(80)"),
                      Col("customer", "int(11)"),
                      Col("vendor", "int(11)"),
                      Col("equipvendor", "int(11)"),
                      Col("partner", "int(11)"),
                      Col("mycontact", "int(11)"),
                      Col("defaultcontact", "int(11)"),
                      Col("blacklisted", "int(11)"),
                      Col("branch", "varchar(128)"),
                      Col("company_domain", "varchar(64)"),
                      Col("company_wan", "varchar(40)"),
                      Col("payment", "int(11)"),
                      Col("custno", "varchar(40)"),
                      Col("tax", "int(11)", "'1'"),
                      Col("bankaccount", "varchar(40)"),
                      Col("companyfolder", "varchar(255)"),
                      Col("accountnr", "int(11)"),
                      Col("persons", "text"),
                      Col("inifile", "text"),
                  }),
        MakeTable("contact", Latin1(), PersonColumns(false)),
    };
}

}  // namespace schema
