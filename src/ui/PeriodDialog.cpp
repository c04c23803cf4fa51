#include "ui/PeriodDialog.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "app/frame/AppContext.h"
#include "app/frame/Period.h"

PeriodDialog::PeriodDialog(Period& period, QWidget* parent)
    : QDialog(parent),
      period_(period),
      fromEdit_(new QLineEdit(this)),
      toEdit_(new QLineEdit(this)),
      list_(new QListWidget(this)),
      backButton_(new QPushButton(QStringLiteral("<<"), this)),
      forwardButton_(new QPushButton(QStringLiteral(">>"), this)),
      yearButton_(new QPushButton(this)),
      okButton_(new QPushButton(QStringLiteral("O&k"), this)),
      cancelButton_(new QPushButton(QStringLiteral("&Avbryt"), this)) {
    setWindowTitle(QStringLiteral("Velg tidsområde:"));
    setModal(true);

    auto* fromLabel = new QLabel(QStringLiteral("Fra dato:"), this);
    auto* toLabel = new QLabel(QStringLiteral("Til dato:"), this);
    fromLabel->setBuddy(fromEdit_);
    toLabel->setBuddy(toEdit_);
    const int dateWidth = fontMetrics().horizontalAdvance(QStringLiteral("00.00.00000")) + 16;
    fromEdit_->setFixedWidth(dateWidth);
    toEdit_->setFixedWidth(dateWidth);
    const int shiftWidth = fontMetrics().horizontalAdvance(QStringLiteral("<<")) + 24;
    backButton_->setFixedWidth(shiftWidth);
    forwardButton_->setFixedWidth(shiftWidth);
    backButton_->setAutoDefault(false);
    forwardButton_->setAutoDefault(false);
    yearButton_->setAutoDefault(false);
    cancelButton_->setAutoDefault(false);
    okButton_->setDefault(true);

    for (int i = 0; i < Period::EntryCount; ++i) list_->addItem(Period::EntryText(i));
    // Tall enough to show every entry without scrolling.
    list_->setMinimumHeight(list_->sizeHintForRow(0) * Period::EntryCount +
                            2 * list_->frameWidth() + 4);
    list_->setMinimumWidth(list_->sizeHintForColumn(0) + 2 * list_->frameWidth() + 24);
    list_->viewport()->installEventFilter(this);

    auto* dates = new QGridLayout;
    dates->addWidget(fromLabel, 0, 0);
    dates->addWidget(fromEdit_, 0, 1);
    dates->addWidget(toLabel, 1, 0);
    dates->addWidget(toEdit_, 1, 1);
    auto* shift = new QHBoxLayout;
    shift->addWidget(backButton_);
    shift->addWidget(forwardButton_);
    shift->addStretch();
    dates->addLayout(shift, 2, 1);
    dates->setColumnStretch(2, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(yearButton_);
    buttons->addStretch();
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(dates);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);

    connect(list_, &QListWidget::currentRowChanged, this, &PeriodDialog::RowChanged);
    connect(list_, &QListWidget::itemClicked, this, &PeriodDialog::ItemClicked);
    connect(list_, &QListWidget::itemDoubleClicked, this, [this] { Confirm(); });
    connect(backButton_, &QPushButton::clicked, this, [this] { Shift(false); });
    connect(forwardButton_, &QPushButton::clicked, this, [this] { Shift(true); });
    connect(okButton_, &QPushButton::clicked, this, &PeriodDialog::Confirm);
    connect(cancelButton_, &QPushButton::clicked, this, &PeriodDialog::reject);

    period_.LoadFields();
    ShowPeriod();
}

void PeriodDialog::TakeFields() { period_.SetFields(fromEdit_->text(), toEdit_->text()); }

void PeriodDialog::ShowPeriod() {
    fromEdit_->setText(period_.FromField());
    toEdit_->setText(period_.ToField());
    yearButton_->setText(period_.PeriodYear());
    const QSignalBlocker blocker(list_);
    list_->setCurrentRow(period_.SelectedEntry());
}

void PeriodDialog::Choose(int row) {
    TakeFields();
    period_.ChooseEntry(row);  // a refused "Valgt dato" keeps the previous entry
    ShowPeriod();
}

void PeriodDialog::RowChanged(int row) {
    if (row >= 0) Choose(row);
}

// A click on the entry that was already selected chooses it again: each
// further click on "Forrige år" goes one more year back.
void PeriodDialog::ItemClicked(QListWidgetItem* item) {
    const int row = list_->row(item);
    if (row == rowBeforePress_) Choose(row);
    rowBeforePress_ = -1;
}

bool PeriodDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list_->viewport() && event->type() == QEvent::MouseButtonPress) {
        rowBeforePress_ = list_->currentRow();
    }
    return QDialog::eventFilter(watched, event);
}

void PeriodDialog::Shift(bool forward) {
    TakeFields();
    if (forward)
        period_.ShiftForward();
    else
        period_.ShiftBack();
    ShowPeriod();
}

void PeriodDialog::Confirm() {
    TakeFields();
    if (!period_.WriteState(true)) return;  // told why; the user corrects the date
    ShowPeriod();
    accept();
}

void PeriodDialog::reject() {
    TakeFields();
    period_.WriteState(false);  // a field that is not a date leaves the period as it was
    QDialog::reject();
}

bool ShowPeriodDialog(QWidget* parent) {
    PeriodDialog dialog(Ctx().period(), parent);
    return dialog.exec() == QDialog::Accepted;
}
