#include "products/ProductBulk.h"

#include <algorithm>

#include "app/frame/AppContext.h"
#include "app/frame/BusyCursor.h"
#include "data/DataModule.h"
#include "products/Barcode.h"
#include "products/PriceRules.h"
#include "products/ProductFilters.h"
#include "products/ProductRules.h"

namespace {

QString TableName() { return ProductTableSqlName(DM().ProductTable().TableName()); }

QString Owner() {
    const LogonValues& logon = Ctx().logon();
    return QStringLiteral("user=") + QString::number(logon.CurrentUserId) +
           QStringLiteral(", usergroup=") + QString::number(logon.CurrentGroupId);
}

// The rounding of the save rules on the price expression `p`.
QString RoundedSql(const QString& p, bool krone, bool toFour) {
    if (!krone) return p;
    const QString p6 = QStringLiteral("ROUND(") + p + QStringLiteral(",6)");
    const QString whole = QStringLiteral("TRUNCATE(") + p6 + QStringLiteral(",0)");
    if (toFour)
        return QStringLiteral("IF(MOD(") + p6 + QStringLiteral(",4)=0,") + p6 +
               QStringLiteral(",(TRUNCATE(") + whole + QStringLiteral("/4,0)+1)*4)");
    return QStringLiteral("IF(") + p6 + QLatin1Char('=') + whole + QLatin1Char(',') + p6 +
           QLatin1Char(',') + whole + QStringLiteral("+1)");
}

const int kChunkIds = 20000;

// The real cost in the bulk statements. A NULL input (a row written by another program)
// counts as 0, as it does in the save rules, instead of making the cost and price NULL.
const QString kRealCostSql = QStringLiteral(
    "COALESCE(cost,0)-((COALESCE(cost,0)/"
    "100)*COALESCE(discount,0))+COALESCE(freight,0)+COALESCE(direct_cost,0)");

}  // namespace

QString RecalculateNoMarkupSql() {
    return QStringLiteral("UPDATE ") + TableName() + QStringLiteral(" SET ") + Owner() +
           QStringLiteral(", real_cost=") + kRealCostSql +
           QStringLiteral(
               ", price=COALESCE(cost,0) WHERE "
               "(addsum=0 OR addsum IS NULL) AND (addpercent=0 OR addpercent IS NULL) AND "
               "usertag<>1");
}

QString RecalculateMarkupSql() {
    return QStringLiteral("UPDATE ") + TableName() + QStringLiteral(" SET ") + Owner() +
           QStringLiteral(", real_cost=") + kRealCostSql +
           QStringLiteral(
               ", price=real_cost+COALESCE(addsum,0)+((real_cost/100)*COALESCE(addpercent,0)) "
               "WHERE "
               "(addsum>0 OR addpercent>0) AND usertag<>1");
}

bool RecalculateProductPrices() {
    BusyCursor busy;
    DataModule& dm = DM();
    const bool first = dm.ExecSql(RecalculateNoMarkupSql());
    const bool second = dm.ExecSql(RecalculateMarkupSql());
    Table& t = dm.ProductTable();
    if (t.IsActive()) t.Refresh();
    return first && second;
}

QString SaveRulesSql(const QString& condition) {
    const FrameSettings& s = Ctx().settings();
    const QString cost = QStringLiteral("COALESCE(cost,0)");
    const QString realCost =
        QStringLiteral("(") + cost + QStringLiteral("-((") + cost +
        QStringLiteral("/100)*COALESCE(discount,0))+COALESCE(freight,0)+COALESCE(direct_cost,0))");
    const QString addSum = QStringLiteral("COALESCE(addsum,0)");
    const QString addPercent = QStringLiteral("COALESCE(addpercent,0)");
    const QString calculated = QStringLiteral("IF(") + addSum + QStringLiteral("<>0 OR ") +
                               addPercent + QStringLiteral("<>0,") + realCost + QLatin1Char('+') +
                               addSum + QStringLiteral("+((") + realCost +
                               QStringLiteral("/100)*") + addPercent + QStringLiteral("),") + cost +
                               QLatin1Char(')');
    const QString price = QStringLiteral("IF(COALESCE(usertag,0)<>0,COALESCE(price,0),") +
                          RoundedSql(calculated, s.KroneAvrunding, s.Krone4Avrunding) +
                          QLatin1Char(')');
    // Every expression reads the row as it was: the date first, which compares with the old
    // real cost and price, and no later one reads a column set before it.
    QString sql =
        QStringLiteral("UPDATE ") + TableName() + QStringLiteral(" SET lastpriceupdate=IF(") +
        realCost + QStringLiteral("<>COALESCE(real_cost,0) OR ") + price +
        QStringLiteral(
            "<>COALESCE(price,0),CURDATE(),lastpriceupdate), "
            "value=IF(COALESCE(value,0)=0,100,value)"
            ", real_cost=") +
        realCost + QStringLiteral(", price=") + price + QStringLiteral(", ") + Owner() +
        QStringLiteral(
            ", maxstock=IF(COALESCE(maxstock,0)<COALESCE(minstock,0),COALESCE(minstock,0),maxstock)"
            ", recalc_id=IF(recalc_id=1,1,0), usertag=IF(usertag=1,1,0)");
    if (!condition.isEmpty()) sql += QStringLiteral(" WHERE ") + condition;
    return sql;
}

bool RecalculateListWithRounding(const ProductProgress& progress) {
    BusyCursor busy;
    DataModule& dm = DM();
    Table& t = dm.ProductTable();
    if (t.IsEditing() && !SaveProduct(t)) return false;
    const QString filter = t.FilterSql().trimmed();
    const QString listed =
        filter.isEmpty() ? QString() : QStringLiteral("(") + filter + QStringLiteral(")");
    auto fail = [&](const QString& error) {
        const QString message = QStringLiteral("Rekalkuleringen av varene stoppet: ") + error;
        Ctx().log().WriteLog(QStringLiteral("FEIL: ") + message);
        ShowMessage(QStringLiteral("FEIL"), message);
        if (progress) progress(0, 0, QString());
        if (t.IsActive()) t.Refresh();
        return false;
    };
    const QueryResult span = dm.connection().Query(
        QStringLiteral("SELECT MIN(id), MAX(id), COUNT(*) FROM ") + TableName() +
        (listed.isEmpty() ? QString() : QStringLiteral(" WHERE ") + listed));
    if (!span.ok()) return fail(dm.connection().LastError());
    const long long lo = span.Text(0, 0).toLongLong();
    const long long hi = span.IsEmpty() || span.IsNull(0, 1) ? -1 : span.Text(0, 1).toLongLong();
    const long long total = span.Text(0, 2).toLongLong();
    long long done = 0;
    for (long long from = lo; from <= hi; from += kChunkIds) {
        const long long to = std::min(hi, from + kChunkIds - 1);
        QString range = QStringLiteral("id BETWEEN ") + QString::number(from) +
                        QStringLiteral(" AND ") + QString::number(to);
        const QString condition =
            listed.isEmpty() ? range : listed + QStringLiteral(" AND ") + range;
        if (!dm.ExecSql(SaveRulesSql(condition))) return fail(dm.LastSqlError());
        const long long matched = dm.connection().LastMatchedRows();
        done += matched > 0 ? matched : 0;
        if (progress) {
            const QueryResult last =
                dm.connection().Query(QStringLiteral("SELECT productcode, producttext FROM ") +
                                      TableName() + QStringLiteral(" WHERE ") + condition +
                                      QStringLiteral(" ORDER BY id DESC LIMIT 1"));
            const QString text =
                last.IsEmpty() ? QString() : last.Text(0, 0) + QLatin1Char(' ') + last.Text(0, 1);
            progress(std::min(done, total), total, text);
        }
    }
    if (progress) progress(total, total, QString());
    if (t.IsActive()) t.Refresh();
    return true;
}

namespace {

// Walks every listed product; `change` edits the row and says whether it changed it. The
// number saved, or -1 when a save failed.
int WalkAndSave(const std::function<bool(Table&)>& change) {
    BusyCursor busy;
    Table& t = DM().ProductTable();
    if (!t.IsActive()) return 0;
    if (t.IsEditing() && !SaveProduct(t)) return -1;
    int saved = 0;
    for (bool more = t.First(); more && !t.Eof(); more = t.Next()) {
        if (!change(t)) continue;
        if (!SaveProduct(t)) return -1;
        ++saved;
    }
    return saved;
}

}  // namespace

int GenerateMissingEanNumbers() {
    return WalkAndSave([](Table& t) {
        const QString ean = t.AsString(QStringLiteral("EAN")).trimmed();
        if (!ean.isEmpty() && ean != QLatin1String("0")) return false;
        const QString text = Ean128Text(t.AsString(QStringLiteral("productcode")));
        if (text.isEmpty()) return false;
        return t.Edit() && t.SetString(QStringLiteral("EAN"), text);
    });
}

int FixCapitalLettersInList() {
    return WalkAndSave([](Table& t) {
        const QString name = t.AsString(QStringLiteral("producttext"));
        const QString fixed = FixCapitalNordicLetters(name);
        if (fixed == name) return false;
        return t.Edit() && t.SetString(QStringLiteral("producttext"), fixed);
    });
}

QString ChangedProductsText(int changed) {
    return QString::number(changed) + QStringLiteral(" varer endret");
}
