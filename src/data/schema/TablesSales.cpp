// Line items and the sales and purchasing documents.
#include "data/schema/Tables.h"

namespace schema {

QList<ColumnDef> DocumentColumns(bool withOrderId) {
    QList<ColumnDef> c{
        Col("regnumber", "int(11)", "'0'"),
        Col("companyid", "int(11)"),
        Col("external_contact", "int(11)", "'0'"),
        Col("userid", "int(11)"),
        Col("projectid", "int(11)"),
        Col("systemid", "int(11)"),
        Col("assetid", "int(11)"),
        Col("assetpartid", "int(11)"),
        Col("jobid", "int(11)"),
        Col("department", "varchar(60)"),
        Col("subject", "varchar(128)"),
        Col("ordernumber", "varchar(40)"),
        Amount("ordertotal"),
        Amount("ordercost"),
        Amount("orderVAT"),
        Col("currency", "varchar(6)", "'NOK'"),
        Amount("sum"),
        Amount("discount"),
        Col("deliveryaddress", "tinyblob"),
        Col("orderdate", "date"),
        Col("deliverydate", "date"),
        Col("status", "varchar(40)"),
        Amount("profit"),
        Col("transport", "varchar(127)"),
        Col("deliverycondition", "varchar(63)"),
        Col("payment", "varchar(63)"),
        Amount("lockedprice"),
        Col("pricelock", "tinyint(4)", "'0'"),
        Col("pricelocktext", "varchar(127)"),
        Amount("weight", true),
        Amount("volume", true),
    };
    if (withOrderId) c << Col("orderid", "int(11)");
    c << Col("vatcode", "int(11)");
    return c;
}

QList<TableDef> SalesTables() {
    return {
        MakeTable("items", Utf8Unicode(),
                  {
                      // header stands in the record header (after user_favorite).
                      Col("vendorid", "int(11)"),
                      Col("projectid", "int(11)"),
                      Col("subprojectid", "int(11)"),
                      Col("customerid", "int(11)"),
                      Col("assetid", "int(11)"),
                      Col("orderid", "int(11)"),
                      Col("customerorder", "varchar(63)"),
                      Col("weight", "double", "'0'"),
                      Col("VATcode", "tinyint(4)", "'0'"),
                      Col("date", "datetime"),
                      Col("jobid", "int(11)"),
                      Col("from_location", "varchar(127)"),
                      Col("from_pos", "varchar(63)"),
                      Col("to_location", "varchar(127)"),
                      Col("to_pos", "varchar(63)"),
                      Col("original_productid", "int(11)"),
                      Col("productcode", "varchar(40)"),
                      Col("producttext", "varchar(128)"),
                      Col("EAN", "varchar(40)"),
                      Col("serial", "varchar(63)"),
                      Col("price", "double", "'0'"),
                      Col("itemcount", "double", "'0'"),
                      Col("discount", "double", "'0'"),
                      Col("itemdelivered", "double", "'0'"),
                      Col("piece", "varchar(20)"),
                      Col("extra", "tinyint(4)", "'0'"),
                      Col("done", "tinyint(4)", "'0'"),
                      Col("volume", "double"),
                      Col("sum", "double", "'0'"),
                      Col("mark", "varchar(63)"),
                      Col("cost", "double", "'0'"),
                      Col("sumcost", "double", "'0'"),
                      Col("itemremain", "double", "'0'"),
                      Col("poid", "int(11)"),
                      Col("invoiceid", "int(11)"),
                      Col("offerid", "int(11)"),
                      Col("read_order", "int(11)", "'0'"),
                  }),
        MakeTable("orders", Utf8Unicode(),
                  DocumentColumns(false) +
                      QList<ColumnDef>{Col("persons", "text"), Col("startdate", "date")}),
        MakeTable("offer", Utf8Unicode(), DocumentColumns(false)),
        MakeTable("invoice", Utf8Unicode(),
                  DocumentColumns(false) +
                      QList<ColumnDef>{
                          Col("paymentdate", "date"),
                          Col("payd_date", "date"),
                          Col("notice_date", "date"),
                          Col("paynotice", "int(11)", "'0'"),
                          Col("credit", "int(11)", "'0'"),
                          Col("mortage", "int(11)", "'0'"),
                          Col("sum_paid", "double", "'0'"),
                          Col("payd", "int(11)", "'0'"),
                          Col("remainderdate1", "date"),
                          Col("remainderdate2", "date"),
                          Col("remaindersum1", "float", "'0'"),
                          Col("remaindersum2", "float", "'0'"),
                      }),
        MakeTable("po", Utf8Unicode(), DocumentColumns(true)),
    };
}

}  // namespace schema
