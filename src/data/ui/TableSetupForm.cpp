#include "data/ui/TableSetupForm.h"

#include <QHideEvent>
#include <QListWidget>
#include <QShowEvent>
#include <QVBoxLayout>

#include "data/Catalogue.h"
#include "data/DataModule.h"

TableSetupForm::TableSetupForm(QWidget* parent) : WindowBase<QDialog>(QStringLiteral("TableSetupForm"), parent) {
    setWindowTitle(QStringLiteral("Tabelloppsett"));
    resize(260, 520);
    list_ = new QListWidget(this);
    for (int i = 0; i < kCatalogueSize; ++i) {
        auto* item = new QListWidgetItem(CatalogueName(i), list_);
        item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
        item->setCheckState(Qt::Unchecked);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
}

bool TableSetupForm::Checked(int catalogueIndex) const {
    const QListWidgetItem* item = list_->item(catalogueIndex);
    return item && item->checkState() == Qt::Checked;
}

void TableSetupForm::SetChecked(int catalogueIndex, bool checked) {
    if (QListWidgetItem* item = list_->item(catalogueIndex)) item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

void TableSetupForm::showEvent(QShowEvent* event) {
    WindowBase<QDialog>::showEvent(event);
    if (event->spontaneous()) return;
    for (int i = 0; i < kCatalogueSize; ++i) SetChecked(i, DM().TableSwitchedOff(CatalogueAt(i).key));
}

void TableSetupForm::hideEvent(QHideEvent* event) {
    WindowBase<QDialog>::hideEvent(event);
    if (event->spontaneous()) return;
    for (int i = 0; i < kCatalogueSize; ++i) DM().SetTableSwitchedOff(CatalogueAt(i).key, Checked(i));
}

void ShowTableSetup(QWidget* parent) {
    TableSetupForm form(parent);
    form.exec();
}
