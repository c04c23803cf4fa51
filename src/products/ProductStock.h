#pragma once

#include <QString>
#include <vector>

// The product list's stock and favourite commands on the current product of
// DM().ProductTable(), and the purchase proposal of the listed products.

// "Trekk 1 fra lager" / "Legg til 1 på lager": a relative update of the current row's
// `instock` (with `lastsale` / `lastorder` = now), so that changes made meanwhile by other
// workstations are kept, then the row is read again. False (with the message shown) when
// there is no current product or it is gone from the database.
bool TakeOneFromStock();
bool AddOneToStock();

// The three "Sett varelager ..." commands, for users with right "A" on the product table.
enum class StockReset {
    BackToCounted,  // "Sett varelager tilbake til opptelt verdi"
    ToZero,         // "Sett varelager til 0"
    AsCounted,      // "Sett varelager som opptelt verdi"
};
// Whether the user may run them (the list enables the commands by it).
bool CanResetStock();
// The question and the statement of each.
QString StockResetQuestion(StockReset which);
QString StockResetSql(StockReset which);
// Asks the question and on yes runs the statement; the table is re-read either way. A user
// without the right is told so and nothing runs. True when the statement ran.
bool ResetStock(StockReset which);

// Space in the list: toggles `user_favorite` of the current product and saves.
bool ToggleFavourite();

// "Hent alle til bestilling": for every listed product in the list's order, the quantity
// `maxstock` − `instock`; products at or above their maximum (a quantity of zero or less)
// are left out.
struct PurchaseProposalLine {
    qint64 productId = 0;
    QString productCode;
    double quantity = 0;
};
std::vector<PurchaseProposalLine> PurchaseProposal();
