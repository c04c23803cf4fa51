#pragma once

#include <QString>

class Dataset;

// The company list's rules on the data module's CompanyTable: its filters, row colours,
// the address block, the "Vis tilhørende" targets and what the company window shows.

// "Filter" / "Filtrer etter ...": after "Søk etter:" a non-empty answer filters
// companyname, postaladdress, streetaddress, city, object_text and postalcode on the text
// (the text quoted, "%" and "_" wildcards). An empty or cancelled answer changes nothing.
// True when the filter changed.
bool AskAndFilterCompanies();
// The same for a text already asked for ("" changes nothing).
bool FilterCompanies(const QString& text);

// The fixed filters of the list's menu.
enum class CompanyKind { Customers, Vendors, EquipmentVendors, Partners, Blacklisted };
// "customer=1", "vendor=1", "equipvendor=1", "partner=1", "blacklisted=1".
QString CompanyKindFilter(CompanyKind kind);
bool FilterCompaniesBy(CompanyKind kind);
// "Vis alle": removes the filter.
bool ShowAllCompanies();

// Sets the SQL filter of CompanyTable (hourglass). When the table cannot be read with it,
// the server's message is shown ("FEIL") and the previous filter is put back, so the list
// never goes silently empty. True when the new filter holds.
bool SetCompanyFilter(const QString& filter);

// Clicking a column title: CompanyTable ordered by that column.
bool SortCompanies(const QString& column);

// Row colours of the list: partners green, equipment vendors blue, blacklisted red, tested
// in that order so that the later wins; others keep the grid's colour.
enum class CompanyRowColour { Normal, Green, Blue, Red };
CompanyRowColour RowColourOf(const Dataset& company);

// The company address block written into documents:
// companyname CR LF streetaddress CR LF postalcode " " city (the postal address left out).
QString CompanyAddressBlock(const Dataset& company);

// The company window's caption: "Firmadata [" + id + "]".
QString CompanyWindowCaption(const Dataset& company);
// The "INI" button shows for a user with "A" on users and only on CurrentCompanyId.
bool ShowsCompanyIniButton(const Dataset& company);

// The company list was closed: AddressChooserMode ends and the filter is removed.
void CompanyListClosed();

// The current company's id (0 when the table is closed, empty or on a new row).
int CurrentCompanyRowId();
