#pragma once

#include <QString>
#include <optional>

class Connection;

// The product list's filters: SQL conditions set on the product table. Every typed text
// reaches the SQL through the connection's quoting.

// The code range of a quick search: the text without spaces of the form "A-B", both whole
// numbers above 0 (as typed, compared as text).
struct ProductCodeRange {
    QString from;
    QString to;
};
std::optional<ProductCodeRange> ParseProductCodeRange(const QString& text);

// The quick search's condition: a code range "productcode>='A' and productcode<='B'", or the
// text search over code, name, vendor numbers, EAN, internal text and group with the text as
// typed ("%" and "_" stay wildcards, compared in utf8mb4). Nothing for a text that is empty without
// its spaces.
std::optional<QString> QuickSearchFilter(const QString& text, const Connection& connection);

// The fixed filters of the list's commands.
enum class ProductListFilter {
    None,                // "Vis alle"
    Favourites,          // "Favoritter"
    VendorFavourites,    // "Favoritter fra <vendor name>"
    ProductGroup,        // "Varegruppe <group>"
    Vendor,              // "Leverandør <vendor name>", "Velg leverandør ..."
    StockArticles,       // "Lagervare"
    InStock,             // "På lager"
    StockOrInStock,      // "Lager, på lager og lagervare"
    BelowMinimum,        // "Varer under minimum"
    VendorBelowMinimum,  // "Varer under minimum fra <vendor name>"
    OwnProduction,       // "Egenproduserte varer"
    HardToSell,          // "Ukurante varer"
    WebShop,             // "I nettbutikken"
    Packages,            // "Pakker"
    Popular,             // button "Polulære"
};

// The condition of a filter; `vendor` and `group` for the filters that name them.
QString ProductListFilterSql(ProductListFilter filter, const Connection& connection,
                             long long vendor = 0, const QString& group = QString());

// The product table's name as it stands in statements: plain when it is a plain name,
// otherwise in backquotes.
QString ProductTableSqlName(const QString& tableName);

// Sets the condition on the product table (opening it with the user's rights when closed)
// and marks it as the user's filter; "" shows every product. A statement the server
// refuses is logged and its error shown ("FEIL"), so that a list is never silently empty.
bool SetProductListFilter(const QString& condition);
bool ApplyProductListFilter(ProductListFilter filter, long long vendor = 0,
                            const QString& group = QString());

// The quick search with a typed text; false when the text gives no filter or it failed.
bool QuickSearchProducts(const QString& text);
// "Filtrer etter ...": asks "Søk etter:" and searches with the answer.
bool QuickSearchProductsCommand();
