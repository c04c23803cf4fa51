// Products, product groups and packages.
#include "data/schema/Tables.h"

namespace schema {

QList<TableDef> ProductTables() {
    TableDef product = MakeTable("product", Latin1(),
                                 {
                                     NotNull("productcode", "varchar(40)"),
                                     Col("recalc_id", "int(11)"),
                                     Col("recalc_number", "double", "'0'"),
                                     Col("EAN", "varchar(40)"),
                                     Col("producttext", "varchar(128)"),
                                     Col("internaltext", "text"),
                                     Col("piece", "varchar(20)"),
                                     Col("productgroup", "varchar(20)"),
                                     NotNull("lastpriceupdate", "timestamp", ZeroDate()),
                                     Col("cost", "double", "'0'"),
                                     Col("currency", "varchar(30)", "'NOK'"),
                                     Col("currencycost", "double", "'0'"),
                                     Col("price", "double", "'0'"),
                                     Col("vatcode", "int(11)", "'0'"),
                                     Col("freight", "double", "'0'"),
                                     Col("addpercent", "double", "'0'"),
                                     Col("addsum", "double", "'0'"),
                                     Col("value", "double", "'0'"),
                                     Col("ownproduction", "int(11)", "'0'"),
                                     Col("internalwork", "double", "'0'"),
                                     NotNull("firstsale", "timestamp", ZeroDate()),
                                     NotNull("lastsale", "timestamp", ZeroDate()),
                                     NotNull("lastorder", "timestamp", ZeroDate()),
                                     Col("instock", "double", "'0'"),
                                     Col("insale", "double", "'0'"),
                                     Col("inorder", "double", "'0'"),
                                     Col("vendor", "int(11)"),
                                     Col("vendorid", "varchar(40)"),
                                     Col("vendor2", "int(11)"),
                                     Col("vendorid2", "varchar(40)"),
                                     Col("maxstock", "double", "'0'"),
                                     Col("minstock", "double", "'0'"),
                                     Col("drawing", "varchar(128)"),
                                     Col("folder", "varchar(128)"),
                                     Col("weight", "double"),
                                     Col("height", "int(11)"),
                                     Col("width", "int(11)"),
                                     Col("deepth", "int(11)"),
                                     Col("volume", "double"),
                                     Col("standard", "varchar(80)"),
                                     Col("sale", "int(11)", "'0'"),
                                     Col("web", "int(11)", "'0'"),
                                     Col("warranty", "int(11)", "'0'"),
                                     Col("requirement", "varchar(128)"),
                                     Col("persons", "text"),
                                     Col("discount", "double", "'0'"),
                                     Col("direct_cost", "double", "'0'"),
                                     Col("real_cost", "double", "'0'"),
                                     Col("location", "varchar(63)"),
                                     Col("locationpos", "varchar(63)"),
                                     Col("inrecentstock", "double", "'0'"),
                                     Col("inrecentstockdate", "timestamp"),
                                 });
    product.keys << KeyDef{"productcode_UNIQUE", {"productcode"}, true};

    return {
        product,
        MakeTable("productview", Utf8(),
                  {
                      Col("persons", "text"),
                      Col("productgroup", "varchar(20)"),
                      Col("from_product", "varchar(40)"),
                      Col("to_product", "varchar(40)"),
                      Col("productname", "varchar(128)"),
                      Col("discount", "float", "'0'"),
                  }),
        MakeTable("package", Utf8(),
                  {
                      Col("packagecode", "varchar(40)"),
                      Col("packagetext", "varchar(128)"),
                      Col("itemcount", "float", "'0'"),
                      Col("variable", "smallint(6)", "'1'"),
                      Col("productcode", "varchar(40)"),
                      NotNull("productid", "int(11)", "'0'"),
                      Col("cost", "float", "'0'"),
                      Col("sumcost", "float", "'0'"),
                  }),
    };
}

}  // namespace schema
