#pragma once

#include "ui/WindowBase.h"

#include <QDialog>

class DatasetTableModel;
class QTableView;

// The vendor chooser ("Velg firma"): the vendors of the products with their number of
// products (CompanyMiniQuery). A double-click or Enter on a row gives that row's vendor id
// and closes; closing otherwise gives -1 (kNoVendorChosen).
class CompanySelectForm : public WindowBase<QDialog> {
    Q_OBJECT
  public:
    explicit CompanySelectForm(QWidget* parent = nullptr);

    // Runs the chooser modally: the chosen vendor id, or -1.
    static int Choose(QWidget* parent = nullptr);

    QTableView* grid() const { return grid_; }
    DatasetTableModel* model() const { return model_; }
    // Takes a row (0-based) as the choice and closes.
    void ChooseRow(int row);
    // The choice: the vendor id, -1 until a row was chosen.
    int Result() const { return result_; }

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QTableView* grid_;
    DatasetTableModel* model_;
    int result_;
};
