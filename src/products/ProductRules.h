#pragma once

#include <QString>
#include <limits>

class DataModule;
class Dataset;
class Table;

// The product table's own rules on the data module's product dataset: the vendor name
// lookup `product_companyname`, the calculated `PriceInclVAT`, the new-record defaults,
// the capture when editing begins and the save rules. Creating one installs them on
// DM().ProductTable() and makes it the current one; they go away with it.
//
// It keeps what the rules remember during a run: the price and real cost captured when the
// current product went into editing, and the unit, group and mark-up percent of the last
// product saved (the next new product's defaults). The rounding switches come from
// Ctx().settings(), read once at start.
class ProductRules {
  public:
    explicit ProductRules(DataModule& module);
    ~ProductRules();
    ProductRules(const ProductRules&) = delete;
    ProductRules& operator=(const ProductRules&) = delete;

    static ProductRules* Current();

    // The events, also callable directly.
    void ProductTableNewRecord(Dataset& product);
    void ProductTableBeforeEdit(Dataset& product);
    // Steps 1 to 9 of a save; a number field holding text that is not a number is first
    // given the number the text holds (ParseNumber), so that the save never fails on it.
    void ProductTableBeforePost(Dataset& product);
    void ProductTableCalcFields(Dataset& product);

    // The defaults remembered from the last saved product.
    const QString& LastPiece() const { return lastPiece_; }
    const QString& LastProductGroup() const { return lastGroup_; }
    double LastAddPercent() const { return lastAddPercent_; }
    void RememberDefaults(const QString& piece, const QString& group, double addPercent);

  private:
    DataModule& module_;
    ProductRules* previous_;
    int newRecordId_ = 0, beforeEditId_ = 0, beforePostId_ = 0, calcId_ = 0;

    // Captured when editing began; NaN for a new row, which always counts as changed.
    double editPrice_ = std::numeric_limits<double>::quiet_NaN();
    double editRealCost_ = std::numeric_limits<double>::quiet_NaN();
    QString lastPiece_;
    QString lastGroup_;
    double lastAddPercent_ = 0;
};

// Saves the current product (the save rules apply). A duplicate product code shows
// "Varenummeret <code> finnes allerede." (caption "FEIL"), another failure the server's
// reason; the row stays in editing with every value as typed, and false is returned.
bool SaveProduct(Table& product);

// The message for a failed save of the product `code`: errno 1062 (the unique key) gives
// "Varenummeret <code> finnes allerede.".
QString ProductSaveErrorMessage(const QString& code, unsigned errnum, const QString& serverError);
