// News and advertising banners.
#include "data/schema/Tables.h"

namespace schema {

QList<TableDef> NewsTables() {
    return {
        MakeTable("news", Utf8(),
                  {
                      // newsdate, header, picture and status stand in the record header.
                      Col("topic", "varchar(127)"),
                      Col("category", "varchar(60)"),
                      Col("bruker", "varchar(40)"),
                      Col("source", "varchar(128)"),
                      Col("sourcename", "varchar(128)"),
                      NotNull("starttime", "datetime", ZeroDate()),
                      NotNull("stopptime", "datetime", ZeroDate()),
                      Col("object_url", "varchar(128)"),
                      Col("object_name", "varchar(64)"),
                      Col("object_tag", "int(11)"),
                      Col("moretext", "text"),
                      Col("picturetext", "text"),
                      Col("picturefloat", "int(11)"),
                      Col("picturewidth", "int(11)", "'0'"),
                      Col("pictureheight", "int(11)", "'0'"),
                      Col("comment", "text"),
                      Col("treads", "text"),
                      Col("author", "int(11)"),
                      Col("newscompany", "int(11)"),
                      Col("newsarea", "varchar(60)"),
                      Col("relnews", "int(11)"),
                      Col("newsoffer", "int(11)"),
                      Col("persons", "text"),
                  }),
        MakeTable("banner", Utf8(),
                  {
                      Col("time_from", "datetime"),
                      Col("time_to", "datetime"),
                      Col("productid", "int(11)", "'0'"),
                      Col("companyid", "int(11)"),
                      Col("companyname", "varchar(127)"),
                      Col("browserstr", "varchar(255)"),
                      Col("ipstring", "varchar(255)"),
                      Col("width", "int(11)"),
                      Col("height", "int(11)"),
                      Col("show_order", "int(11)"),
                      Col("position", "int(11)"),
                      Col("persons", "text"),
                  }),
    };
}

}  // namespace schema
