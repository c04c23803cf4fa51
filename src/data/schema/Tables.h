#pragma once

#include <QList>
#include <QString>

#include "data/schema/TableDef.h"

namespace schema {

// Every table of the schema, in catalogue order.
const QList<TableDef>& AllTables();
// The table of that name, nullptr when there is none.
const TableDef* FindTable(const QString& name);

// Builds a table: the common header for that table, then its own columns,
// with the primary key on id.
TableDef MakeTable(const QString& name, const Charset& charset, const QList<ColumnDef>& own);

// The person columns of users and contact (contact has no inifile).
QList<ColumnDef> PersonColumns(bool withIniFile);
// The document columns that orders, offer, invoice and po share, from regnumber
// to vatcode; po has orderid before vatcode.
QList<ColumnDef> DocumentColumns(bool withOrderId);

// The tables of each group, defined in the Tables<Group>.cpp files.
QList<TableDef> FrameTables();       // users, groups
QList<TableDef> SalesTables();       // items, orders, offer, invoice, po
QList<TableDef> CrmTables();         // company, contact
QList<TableDef> ProductTables();     // product, productview, package
QList<TableDef> ProjectTables();     // calendar, project, subproject, jobs
QList<TableDef> DocumentTables();    // document
QList<TableDef> AccountingTables();  // accounts, entries
QList<TableDef> AssetTables();       // asset, deviations, certificate
QList<TableDef> NewsTables();        // news, banner

}  // namespace schema
