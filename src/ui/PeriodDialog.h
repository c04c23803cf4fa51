#pragma once

#include <QDialog>

class Period;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

// The period picker "Velg tidsområde:": two date fields, "<<" and ">>",
// the list of periods, a button showing the chosen year, "O&k" and
// "&Avbryt". It shows and edits a Period; the dates are computed there.
class PeriodDialog : public QDialog {
    Q_OBJECT
  public:
    explicit PeriodDialog(Period& period, QWidget* parent = nullptr);

    QLineEdit* fromEdit() const { return fromEdit_; }
    QLineEdit* toEdit() const { return toEdit_; }
    QListWidget* list() const { return list_; }
    QPushButton* backButton() const { return backButton_; }
    QPushButton* forwardButton() const { return forwardButton_; }
    QPushButton* yearButton() const { return yearButton_; }
    QPushButton* okButton() const { return okButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }

    // Closing either way writes the period from the fields; "O&k" refuses
    // a field that is not a date (with a message) and stays open.
    void reject() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Choose(int row);
    void Shift(bool forward);
    void Confirm();
    void TakeFields();
    void ShowPeriod();
    void RowChanged(int row);
    void ItemClicked(QListWidgetItem* item);

    Period& period_;
    QLineEdit* fromEdit_;
    QLineEdit* toEdit_;
    QListWidget* list_;
    QPushButton* backButton_;
    QPushButton* forwardButton_;
    QPushButton* yearButton_;
    QPushButton* okButton_;
    QPushButton* cancelButton_;
    int rowBeforePress_ = -1;
};

// Shows the period picker for the current context's period, modally.
// True when closed with "O&k" or by a double click on the list.
bool ShowPeriodDialog(QWidget* parent = nullptr);
