#pragma once

#include <QDialog>
#include <QPointer>

#include "ui/WindowBase.h"

class Dataset;
class DbNavigator;

// The record information window ("Postinformasjon"): the common header of the current record
// of whatever dataset a window hands it, with a record navigator. Edits go to that record;
// one still pending when the window closes is saved.
class RecordInfoForm : public WindowBase<QDialog> {
    Q_OBJECT
  public:
    explicit RecordInfoForm(QWidget* parent = nullptr);

    // The dataset shown; nullptr shows nothing.
    void SetDataset(Dataset* dataset);
    Dataset* dataset() const { return dataset_; }
    DbNavigator* navigator() const { return navigator_; }

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    Dataset* dataset_ = nullptr;
    DbNavigator* navigator_;
};

// Shows the record information window, modal, for a dataset (the data module's common
// dataset when none is given).
void ShowRecordInfo(QWidget* parent, Dataset* dataset = nullptr);
