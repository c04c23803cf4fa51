#pragma once

#include <QString>
#include <functional>

// Operations over the whole product register or every product of the current list
// (the rows of DM().ProductTable() under its SQL filter).

// The bulk recalculation without rounding: the two logged statements, then the product
// table is re-read. A failing statement is logged by ExecSql; false when one failed.
bool RecalculateProductPrices();
// The two statements RecalculateProductPrices runs, for the current user and table.
QString RecalculateNoMarkupSql();
QString RecalculateMarkupSql();

// Progress of a long operation: rows done, rows in all, and the status text to show
// ("<productcode> <producttext>" of the product reached; empty at the end).
using ProductProgress = std::function<void(long long done, long long total, const QString& text)>;

// "Rekalkuler alle varer med kroneavrunding": every product of the current list gets what
// the save rules would give it, rounding included, set by set in SQL. Then the table is
// re-read. A failure is logged and shown ("FEIL"); false then.
bool RecalculateListWithRounding(const ProductProgress& progress = {});
// The statement that applies the save rules to the rows meeting `condition` ("" for all).
QString SaveRulesSql(const QString& condition);

// "Generer EAN-nummer": every product of the current list with an empty EAN or "0" gets
// the EAN-128 text of its product code, saved with the save rules. The number filled, or -1
// when a save failed (its message shown, the walk stopped).
int GenerateMissingEanNumbers();

// "Fiks stor ÆØÅ": every product of the current list whose name the repair changes is saved
// with the repaired name. The number changed ("<n> varer endret"), or -1 when a save failed.
int FixCapitalLettersInList();
// The status text after the repair.
QString ChangedProductsText(int changed);
