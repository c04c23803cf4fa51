#pragma once

#include <vector>

#include "ui/RecordWindow.h"

class DbCheckBox;
class DbLineEdit;
class QLabel;
class QSlider;
class QToolButton;

// The product window ("Varedata [<id>]") on the product table's current row: the basic
// fields, the price panel below them and the stock panel to their right as the four-step
// slider chooses (0 basic, 1 with prices, 2 with stock, 3 all), the free text and the
// barcode picture below. Saving goes through the product save rules, so that a duplicate
// product number is told in Norwegian and the edit stays. Registered as "ProductDataForm".
class ProductDataForm : public RecordWindowBase {
    Q_OBJECT
  public:
    explicit ProductDataForm(QWidget* parent = nullptr);
    ~ProductDataForm() override;

    // The detail level 0..3 and its slider.
    QSlider* levelSlider() const { return levelSlider_; }
    int Level() const;
    void SetLevel(int level);
    QWidget* basicPanel() const { return basic_; }
    QWidget* pricePanel() const { return prices_; }
    QWidget* stockPanel() const { return stock_; }
    // The barcode of the current row's EAN (null when it has none).
    QLabel* barcode() const { return barcode_; }

    // The commands.
    bool SaveProductCommand();
    bool NewProductCommand();
    void Move(int step);  // -1 previous, +1 next
    // The button beside the product number: EAN from the product number when it has none.
    bool FillEan();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    QWidget* BuildBasicPanel();
    QWidget* BuildPricePanel();
    QWidget* BuildStockPanel();
    QWidget* BuildBelowPanel();
    void BuildCommands();
    void ApplyLevel();
    void UpdateRowDependent();
    void UpdateBarcode(const QString& ean);
    // A number edit shows its number without the binary noise of a double ("54.665", not
    // "54.665000000000006"); money with two decimals.
    void FormatNumberEdit(DbLineEdit* edit, bool money);

    QWidget* basic_ = nullptr;
    QWidget* prices_ = nullptr;
    QWidget* stock_ = nullptr;
    QWidget* below_ = nullptr;
    QSlider* levelSlider_ = nullptr;
    QLabel* barcode_ = nullptr;
    DbCheckBox* package_ = nullptr;
    QAction* packageLines_ = nullptr;
    QToolButton* packageLinesButton_ = nullptr;
    QString barcodeText_;
    std::vector<int> ids_;
};
