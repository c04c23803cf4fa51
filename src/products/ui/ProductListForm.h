#pragma once

#include <QString>
#include <functional>

#include "crm/DocumentCompany.h"
#include "products/ProductFilters.h"
#include "products/ProductStock.h"
#include "ui/ListWindow.h"

class QLabel;
class QMenu;

// The product list ("Vareliste (<table name>)"): a grid of the product table with the
// stock, price and filter commands of the register as actions shared by the context menu,
// the buttons and the shortcuts. Enter and a double-click open the product window, Space
// toggles the favourite, the keypad's plus and minus add one to or take one from stock.
// Registered as "ProductListForm" (argument "new": shown and "Ny" run).
class ProductListForm : public ListWindowBase {
    Q_OBJECT
  public:
    explicit ProductListForm(QWidget* parent = nullptr);
    ~ProductListForm() override;

    // The vendor chooser of "Velg leverandør ...": the chosen company id, -1 when closed
    // (CompanySelectForm::Choose unless set).
    using VendorChooser = std::function<int(QWidget* parent)>;
    void SetVendorChooser(VendorChooser choose) { chooseVendor_ = std::move(choose); }
    // Where "Hent til ordre" reads the records the document windows show (the program's,
    // kept by CrmModule, unless replaced).
    void SetOpenDocuments(std::function<OpenDocumentIds()> open) { openDocuments_ = std::move(open); }

    // The status fields: "Antall: <rows>" (or the result of the last repair), the rows the
    // last operation changed, "Sortering: <sort name>", the filter (or the progress text).
    QLabel* StatusField(int index) const { return status_[index]; }
    // The text of a grid cell as the grid shows it: the vendor's name and the price with VAT
    // on every row, not only the current one.
    QString CellText(int row, const QString& field) const;
    // The sort name of the table's order ("varenummer", "pris", the column otherwise).
    QString SortName() const;

    // The captions that name the current row's vendor and group, the commands shown by the
    // open documents and those enabled by the rights; run when the menu opens.
    void UpdateMenu();

    // The commands.
    void NewProduct();
    void EditProduct();
    void DeleteProduct();
    void ApplyFilter(ProductListFilter filter);
    void ChooseVendor();
    void RecalculateWithRounding();
    void GenerateEan();
    void FixCapitalLetters();
    void Stock(bool add);
    void ResetStockCommand(StockReset which);
    void ToggleFavouriteCommand();

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildCommands();
    void BuildStatusBar();
    void Sort(const QString& field);
    // Starts a command: the result of an earlier repair leaves the first field.
    void Begin() { firstFieldText_.clear(); }
    void NoteAffected();
    bool EnsureOpen();
    QString VendorName() const;
    long long Vendor() const;
    QString Group() const;
    QString OpenDocumentCaption(const OpenDocumentIds& open) const;

    VendorChooser chooseVendor_;
    std::function<OpenDocumentIds()> openDocuments_;
    QLabel* status_[4] = {};
    QString firstFieldText_;  // "<n> varer endret" after the repair
    QString progressText_;    // "<productcode> <producttext>" while a recalculation runs
    QString affectedText_;
    std::vector<int> ids_;

    QAction* vendorFavourites_ = nullptr;
    QAction* group_ = nullptr;
    QAction* vendor_ = nullptr;
    QAction* vendorBelowMinimum_ = nullptr;
    QAction* fetchToDocument_ = nullptr;
    QAction* fetchToDocumentSeparator_ = nullptr;
    QAction* fetchAllToPo_ = nullptr;
    std::vector<QAction*> adminCommands_;
};
