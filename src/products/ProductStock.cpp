#include "products/ProductStock.h"

#include <QDate>

#include "app/frame/AppContext.h"
#include "app/frame/BusyCursor.h"
#include "data/DataModule.h"
#include "data/Rights.h"
#include "products/PriceRules.h"
#include "products/ProductFilters.h"
#include "products/ProductRules.h"

namespace {

QString TableName() { return ProductTableSqlName(DM().ProductTable().TableName()); }

void Fail(const QString& message) {
    Ctx().log().WriteLog(QStringLiteral("FEIL: ") + message);
    ShowMessage(QStringLiteral("FEIL"), message);
}

bool MoveStock(const char* change, const char* dateColumn) {
    BusyCursor busy;
    DataModule& dm = DM();
    Table& t = dm.ProductTable();
    if (!t.IsActive() || t.IsEmpty()) return false;
    if (t.IsEditing() && !SaveProduct(t)) return false;
    const qint64 id = t.AsInteger(QStringLiteral("id"));
    const QString sql = QStringLiteral("UPDATE ") + TableName() +
                        QStringLiteral(" SET instock=COALESCE(instock,0)") + QLatin1String(change) +
                        QStringLiteral(", ") + QLatin1String(dateColumn) +
                        QStringLiteral("=NOW() WHERE id=") + QString::number(id);
    const bool ran = dm.ExecSql(sql);
    const bool found = ran && dm.connection().LastMatchedRows() != 0;
    t.Refresh();
    if (!ran) {
        Fail(QStringLiteral("Lageret kunne ikke endres: ") + dm.LastSqlError());
        return false;
    }
    if (!found) {
        Fail(
            QStringLiteral("Varen finnes ikke lenger i databasen; den kan være slettet fra en "
                           "annen arbeidsstasjon"));
        return false;
    }
    return true;
}

}  // namespace

bool TakeOneFromStock() { return MoveStock("-1", "lastsale"); }
bool AddOneToStock() { return MoveStock("+1", "lastorder"); }

bool CanResetStock() {
    QString key = DM().KeyOf(DM().ProductTable());
    if (key.isEmpty()) key = QStringLiteral("product");
    return HasRight(key, u'A');
}

QString StockResetQuestion(StockReset which) {
    switch (which) {
        case StockReset::BackToCounted:
            return QStringLiteral("Vil du sette varelageret tilbake til opptelt verdi?");
        case StockReset::ToZero:
            return QStringLiteral("Vil du sette varelageret til 0?");
        case StockReset::AsCounted:
            return QStringLiteral("Vil du sette varelageret som opptelt verdi?");
    }
    return QString();
}

QString StockResetSql(StockReset which) {
    const QString update = QStringLiteral("UPDATE ") + TableName();
    switch (which) {
        case StockReset::BackToCounted:
            return update + QStringLiteral(" SET instock=inrecentstock");
        case StockReset::ToZero:
            return update + QStringLiteral(" SET instock=0");
        case StockReset::AsCounted:
            return update + QStringLiteral(" SET inrecentstock=instock, inrecentstockdate=") +
                   DM().connection().Quote(
                       QDate::currentDate().toString(QStringLiteral("yyyy.MM.dd")));
    }
    return QString();
}

bool ResetStock(StockReset which) {
    if (!CanResetStock()) {
        Fail(QStringLiteral("Du har ikke rettighet til å sette varelageret."));
        return false;
    }
    DataModule& dm = DM();
    Table& t = dm.ProductTable();
    if (t.IsEditing() && !SaveProduct(t)) return false;
    bool ran = false;
    if (AskYesNo(StockResetQuestion(which), false)) {
        BusyCursor busy;
        ran = dm.ExecSql(StockResetSql(which));
    }
    if (t.IsActive()) t.Refresh();
    return ran;
}

bool ToggleFavourite() {
    Table& t = DM().ProductTable();
    if (!t.IsActive() || t.IsEmpty()) return false;
    if (!t.Edit()) return false;
    t.SetInteger(QStringLiteral("user_favorite"),
                 t.AsInteger(QStringLiteral("user_favorite")) == 1 ? 0 : 1);
    return SaveProduct(t);
}

std::vector<PurchaseProposalLine> PurchaseProposal() {
    BusyCursor busy;
    DataModule& dm = DM();
    Table& t = dm.ProductTable();
    QString sql = QStringLiteral("SELECT id, productcode, maxstock, instock FROM ") + TableName();
    if (!t.FilterSql().trimmed().isEmpty()) sql += QStringLiteral(" WHERE ") + t.FilterSql();
    if (!t.Order().trimmed().isEmpty()) sql += QStringLiteral(" ORDER BY ") + t.Order();
    std::vector<PurchaseProposalLine> lines;
    const QueryResult r = dm.connection().Query(sql);
    if (!r.ok()) {
        Fail(QStringLiteral("Varelisten kunne ikke leses: ") + dm.connection().LastError());
        return lines;
    }
    for (int i = 0; i < r.RowCount(); ++i) {
        const double quantity =
            RoundToSixDecimals(r.Text(i, 2).toDouble() - r.Text(i, 3).toDouble());
        if (!(quantity > 0)) continue;
        lines.push_back(PurchaseProposalLine{r.Text(i, 0).toLongLong(), r.Text(i, 1), quantity});
    }
    return lines;
}
