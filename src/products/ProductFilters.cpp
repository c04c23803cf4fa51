#include "products/ProductFilters.h"

#include <QRegularExpression>

#include "app/frame/AppContext.h"
#include "app/frame/BusyCursor.h"
#include "data/DataModule.h"
#include "db/Connection.h"
#include "products/ProductRules.h"

namespace {

bool WholeNumberAboveZero(const QString& text) {
    if (text.isEmpty()) return false;
    bool nonZero = false;
    for (QChar c : text) {
        if (c < u'0' || c > u'9') return false;
        nonZero |= c != u'0';
    }
    return nonZero;
}

}  // namespace

std::optional<ProductCodeRange> ParseProductCodeRange(const QString& text) {
    QString t = text;
    t.remove(QLatin1Char(' '));
    const QStringList parts = t.split(QLatin1Char('-'));
    if (parts.size() != 2 || !WholeNumberAboveZero(parts[0]) || !WholeNumberAboveZero(parts[1]))
        return std::nullopt;
    return ProductCodeRange{parts[0], parts[1]};
}

std::optional<QString> QuickSearchFilter(const QString& text, const Connection& connection) {
    QString compact = text;
    compact.remove(QLatin1Char(' '));
    if (compact.isEmpty()) return std::nullopt;
    if (const auto range = ParseProductCodeRange(text)) {
        return QStringLiteral("productcode>=") + connection.Quote(range->from) +
               QStringLiteral(" and productcode<=") + connection.Quote(range->to);
    }
    // With its collation named, a text the column's character set cannot hold (an emoji in
    // a latin1 table) compares as unequal instead of failing the statement.
    const QString collate = QStringLiteral(" COLLATE utf8mb4_general_ci");
    const QString like = connection.QuoteLike(QLatin1Char('%') + text + QLatin1Char('%')) + collate;
    const QString exact = connection.Quote(text) + collate;
    return QStringLiteral("productcode like ") + like + QStringLiteral(" OR producttext like ") +
           like + QStringLiteral(" OR vendorid=") + exact + QStringLiteral(" OR vendorid2=") +
           exact + QStringLiteral(" OR ean =") + exact + QStringLiteral(" OR internaltext like ") +
           like + QStringLiteral(" OR productgroup like ") + like;
}

QString ProductListFilterSql(ProductListFilter filter, const Connection& connection,
                             long long vendor, const QString& group) {
    const QString v = QString::number(vendor);
    switch (filter) {
        case ProductListFilter::None:
            return QString();
        case ProductListFilter::Favourites:
            return QStringLiteral("user_favorite=1");
        case ProductListFilter::VendorFavourites:
            return QStringLiteral("vendor=") + v + QStringLiteral(" AND user_favorite=1");
        case ProductListFilter::ProductGroup:
            return QStringLiteral("productgroup=") + connection.Quote(group);
        case ProductListFilter::Vendor:
            return QStringLiteral("vendor=") + v;
        case ProductListFilter::StockArticles:
            return QStringLiteral("minstock>0");
        case ProductListFilter::InStock:
            return QStringLiteral("instock>0");
        case ProductListFilter::StockOrInStock:
            return QStringLiteral("instock>0 OR minstock>0");
        case ProductListFilter::BelowMinimum:
            return QStringLiteral("minstock>instock");
        case ProductListFilter::VendorBelowMinimum:
            return QStringLiteral("minstock>instock AND vendor=") + v;
        case ProductListFilter::OwnProduction:
            return QStringLiteral("ownproduction=1");
        case ProductListFilter::HardToSell:
            return QStringLiteral("value>0 AND value<100");
        case ProductListFilter::WebShop:
            return QStringLiteral("web=1");
        case ProductListFilter::Packages:
            return QStringLiteral("recalc_id=1");
        case ProductListFilter::Popular:
            return QStringLiteral("web=1 OR sale=1 OR rwx_all=5");
    }
    return QString();
}

QString ProductTableSqlName(const QString& tableName) {
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_]+$"));
    if (plain.match(tableName).hasMatch()) return tableName;
    return Connection::QuoteIdentifier(tableName);
}

// ------------------------------------------------------------------ on the product table

bool SetProductListFilter(const QString& condition) {
    BusyCursor busy;
    DataModule& dm = DM();
    Table& t = dm.ProductTable();
    if (t.IsEditing() && !SaveProduct(t)) return false;
    const bool wasOpen = t.IsActive();
    bool ok = t.SetFilterSql(condition);
    t.SetFiltered(!condition.isEmpty());
    if (!wasOpen) ok = dm.OpenTableWithRights(t, true, false);
    if (!ok && wasOpen) {
        const QString message = QStringLiteral("Varelisten kunne ikke leses: ") + t.LastError();
        Ctx().log().WriteLog(QStringLiteral("FEIL: ") + message);
        ShowMessage(QStringLiteral("FEIL"), message);
    }
    return ok;
}

bool ApplyProductListFilter(ProductListFilter filter, long long vendor, const QString& group) {
    return SetProductListFilter(ProductListFilterSql(filter, DM().connection(), vendor, group));
}

bool QuickSearchProducts(const QString& text) {
    const auto filter = QuickSearchFilter(text, DM().connection());
    if (!filter) return false;
    return SetProductListFilter(*filter);
}

bool QuickSearchProductsCommand() {
    const QString text = AskInput(QStringLiteral("Søk etter:"));
    if (text.isEmpty()) return false;
    return QuickSearchProducts(text);
}
