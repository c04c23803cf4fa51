// The vendor chooser over CompanyMiniQuery.
#include "crm/ui/CompanySelectForm.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QShowEvent>
#include <QTableView>
#include <QVBoxLayout>

#include "crm/CrmModule.h"
#include "crm/VendorChooser.h"
#include "ui/DatasetTableModel.h"

CompanySelectForm::CompanySelectForm(QWidget* parent)
    : WindowBase<QDialog>(QStringLiteral("CompanySelectForm"), parent), result_(kNoVendorChosen) {
    setWindowTitle(QStringLiteral("Velg firma"));
    resize(420, 320);
    model_ = new DatasetTableModel(Crm().CompanyMiniQuery(),
                                   {{"companyname", "Firmanavn"}, {"COUNT(*)", "Antall"}}, this);
    // The list keeps the vendor order; a title click changes nothing.
    model_->SetSortHandler([](const QString&) {});
    grid_ = new QTableView(this);
    grid_->setObjectName(QStringLiteral("grid"));
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->verticalHeader()->setDefaultSectionSize(20);
    grid_->verticalHeader()->hide();
    grid_->installEventFilter(this);
    model_->AttachView(grid_);
    connect(grid_, &QTableView::doubleClicked, this,
            [this](const QModelIndex& index) { ChooseRow(index.row()); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_);
}

int CompanySelectForm::Choose(QWidget* parent) {
    CompanySelectForm form(parent);
    form.exec();
    return form.Result();
}

void CompanySelectForm::ChooseRow(int row) {
    result_ = ChosenVendorId(row);
    if (result_ == kNoVendorChosen) return;  // no such row: the chooser stays
    accept();
}

void CompanySelectForm::showEvent(QShowEvent* event) {
    WindowBase<QDialog>::showEvent(event);
    if (event->spontaneous()) return;
    result_ = kNoVendorChosen;
    OpenVendorChooser();
    // The name takes the width the count leaves.
    QHeaderView* header = grid_->horizontalHeader();
    if (header->count() == 2) {
        header->setSectionResizeMode(0, QHeaderView::Stretch);
        header->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    }
}

bool CompanySelectForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grid_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            ChooseRow(model_->CurrentRow());
            return true;
        }
    }
    return WindowBase<QDialog>::eventFilter(watched, event);
}
