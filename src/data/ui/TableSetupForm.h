#pragma once

#include <QDialog>

#include "ui/WindowBase.h"

class QListWidget;

// The table setup window ("Tabelloppsett"): a check list of the catalogue's tables; a checked
// table is not opened at log-on. Shown with the "NO_<key>" switches of section
// "VARLOKKEN_SQL"; closing the window writes the switch of every entry.
class TableSetupForm : public WindowBase<QDialog> {
    Q_OBJECT
  public:
    explicit TableSetupForm(QWidget* parent = nullptr);

    QListWidget* list() const { return list_; }
    // The entry of a catalogue index.
    bool Checked(int catalogueIndex) const;
    void SetChecked(int catalogueIndex, bool checked);

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    QListWidget* list_;
};

// Shows the table setup window, modal.
void ShowTableSetup(QWidget* parent);
