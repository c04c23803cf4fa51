#include "data/ui/GroupsForm.h"

#include <QHeaderView>
#include <QHideEvent>
#include <QShowEvent>
#include <QTableView>
#include <QVBoxLayout>

#include "app/frame/Prompter.h"
#include "data/DataModule.h"
#include "ui/DatasetTableModel.h"
#include "ui/DbNavigator.h"

GroupsForm::GroupsForm(QWidget* parent) : WindowBase<QDialog>(QStringLiteral("GroupsForm"), parent) {
    setWindowTitle(QStringLiteral("Grupper"));
    resize(360, 320);
    Table& groups = DM().GroupsTable();
    model_ = new DatasetTableModel(groups, {{"group_id", "Gruppe", "", true}, {"group_name", "Navn", "", true}}, this);
    grid_ = new QTableView(this);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->verticalHeader()->setDefaultSectionSize(20);
    grid_->horizontalHeader()->setStretchLastSection(true);
    model_->AttachView(grid_);
    navigator_ = new DbNavigator(this);
    navigator_->SetDataset(&groups);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(navigator_);
    layout->addWidget(grid_, 1);
}

void GroupsForm::showEvent(QShowEvent* event) {
    WindowBase<QDialog>::showEvent(event);
    if (event->spontaneous()) return;
    DM().OpenTableWithRights(DM().GroupsTable(), true, false);
    navigator_->UpdateButtons();
}

void GroupsForm::hideEvent(QHideEvent* event) {
    WindowBase<QDialog>::hideEvent(event);
    if (event->spontaneous()) return;
    Table& groups = DM().GroupsTable();
    if (groups.IsEditing() && !groups.Post()) {
        ShowMessage(QStringLiteral("FEIL"), groups.LastError());
        groups.Cancel();
    }
}

void ShowGroups(QWidget* parent) {
    GroupsForm form(parent);
    form.exec();
}
