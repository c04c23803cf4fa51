#pragma once

#include <QString>

class Query;

// The vendor chooser ("Velg firma"): the vendors of the products with their number of
// products, one row per vendor id (two vendors of the same name are two rows; a vendor id
// that matches no company gives a row with an empty name).

// The statement of CompanyMiniQuery over the product table `productTable`: columns vendor,
// companyname and COUNT(*), grouped by the vendor's id and name, ordered by name.
QString CompanyMiniQuerySql(const QString& productTable);

// Opens (or reads again) CompanyMiniQuery over the data module's product table. A statement
// the server refuses is logged and shown ("FEIL"). True when open.
bool OpenVendorChooser();

// The vendor id the chooser returns for a row (0-based) of CompanyMiniQuery: the row's
// product.vendor (0 for products without a vendor), or -1 for no row (the chooser was
// closed without a choice).
int ChosenVendorId(int row);
inline constexpr int kNoVendorChosen = -1;
