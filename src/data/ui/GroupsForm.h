#pragma once

#include <QDialog>

#include "ui/WindowBase.h"

class DatasetTableModel;
class DbNavigator;
class QTableView;

// The groups window ("Grupper"): an editable grid of the groups table with the group number
// and name, and a record navigator. On show it opens the groups table by the user's rights;
// a change still pending when it closes is saved.
class GroupsForm : public WindowBase<QDialog> {
    Q_OBJECT
  public:
    explicit GroupsForm(QWidget* parent = nullptr);

    QTableView* grid() const { return grid_; }
    DatasetTableModel* model() const { return model_; }
    DbNavigator* navigator() const { return navigator_; }

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    QTableView* grid_;
    DatasetTableModel* model_;
    DbNavigator* navigator_;
};

// Shows the groups window, modal.
void ShowGroups(QWidget* parent);
