// The documents archive.
#include "data/schema/Tables.h"

namespace schema {

QList<TableDef> DocumentTables() {
    return {
        MakeTable("document", Utf8(),
                  {
                      Col("regnumber", "int(11)", "'0'"),
                      Col("reference", "varchar(64)"),
                      Col("companyid", "int(11)"),
                      Col("external_contact", "int(11)", "'0'"),
                      Col("userid", "int(11)"),
                      Col("projectid", "int(11)"),
                      Col("systemid", "int(11)"),
                      Col("assetid", "int(11)"),
                      Col("assetpartid", "int(11)"),
                      Col("assetgroupid", "int(11)"),
                      Col("jobid", "int(11)"),
                      Col("department", "varchar(60)"),
                      Col("subject", "varchar(128)"),
                      Col("category", "varchar(64)"),
                      // A second NOT NULL timestamp: the zero date, as MySQL gave it implicitly.
                      NotNull("document_created", "timestamp", ZeroDate()),
                      Col("document_name", "varchar(128)"),
                      Col("document_path", "varchar(128)"),
                      Col("document_data", "longblob"),
                      Col("document_type", "int(11)"),
                      Col("document_info", "text"),
                      Col("document_mime", "varchar(64)"),
                      Col("document_size", "int(11)"),
                      Col("productid", "int(11)"),
                      Col("dataincluded", "int(11)", "'0'"),
                      Col("persons", "text"),
                      Col("document_tumb_data", "mediumblob"),
                  }),
    };
}

}  // namespace schema
