#include "data/ui/RecordInfoForm.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QShowEvent>
#include <QVBoxLayout>

#include "app/frame/Prompter.h"
#include "data/DataModule.h"
#include "data/Rights.h"
#include "ui/DbCheckBox.h"
#include "ui/DbLabel.h"
#include "ui/DbLineEdit.h"
#include "ui/DbLookupCombo.h"
#include "ui/DbNavigator.h"

RecordInfoForm::RecordInfoForm(QWidget* parent) : WindowBase<QDialog>(QStringLiteral("RecordInfoForm"), parent) {
    setWindowTitle(QStringLiteral("Postinformasjon"));
    SetOnlyPos(true);
    auto edit = [this](const char* column) {
        auto* e = new DbLineEdit(this);
        e->setObjectName(QString::fromLatin1(column));
        return e;
    };
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Opprettet:"), edit("created"));
    auto* updated = new DbLabel(this);
    updated->setObjectName(QStringLiteral("updated"));
    form->addRow(QStringLiteral("Endret:"), updated);
    auto* owner = new DbLookupCombo(this);
    owner->setObjectName(QStringLiteral("user"));
    owner->SetLookup(&DM().LookupQuery(Lookup::Users), QStringLiteral("id"), QStringLiteral("initials"));
    form->addRow(QStringLiteral("Eier:"), owner);
    auto* group = new DbLookupCombo(this);
    group->setObjectName(QStringLiteral("usergroup"));
    group->SetLookup(&DM().GroupsTable(), QStringLiteral("group_id"), QStringLiteral("group_name"));
    form->addRow(QStringLiteral("Gruppe:"), group);
    auto* rights = new QHBoxLayout;
    for (const char* column : {"rwx_all", "rwx_group", "rwx_user"}) {
        DbLineEdit* e = edit(column);
        e->setMaximumWidth(50);
        rights->addWidget(e);
    }
    rights->addStretch();
    form->addRow(QStringLiteral("Alle:"), rights);
    form->addRow(QStringLiteral("Tag:"), edit("usertag"));
    auto* marked = new DbCheckBox(QStringLiteral("Posten er merket"), this);
    marked->setObjectName(QStringLiteral("checked"));
    form->addRow(QString(), marked);
    navigator_ = new DbNavigator(this);
    navigator_->SetVisibleButtons({DbNavigator::First, DbNavigator::Prior, DbNavigator::Next, DbNavigator::Last,
                                   DbNavigator::Post, DbNavigator::Cancel});
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(navigator_);
}

void RecordInfoForm::SetDataset(Dataset* dataset) {
    dataset_ = dataset;
    for (DbLineEdit* e : findChildren<DbLineEdit*>()) e->SetDataSource(dataset, e->objectName());
    for (DbLabel* l : findChildren<DbLabel*>()) l->SetDataSource(dataset, l->objectName());
    for (DbLookupCombo* c : findChildren<DbLookupCombo*>()) c->SetDataSource(dataset, c->objectName());
    for (DbCheckBox* b : findChildren<DbCheckBox*>()) b->SetDataSource(dataset, b->objectName());
    navigator_->SetDataset(dataset);
}

void RecordInfoForm::showEvent(QShowEvent* event) {
    WindowBase<QDialog>::showEvent(event);
    if (event->spontaneous()) return;
    // The owner's initials come from the users lookup, the group's name from the groups.
    Query& users = DM().LookupQuery(Lookup::Users);
    if (!users.IsActive()) users.Open();
    Table& groups = DM().GroupsTable();
    if (!groups.IsActive() && HasReadRight(QStringLiteral("groups"))) DM().OpenTableWithRights(groups, true, false);
    if (!dataset_) SetDataset(DM().CommonDataset());
}

void RecordInfoForm::hideEvent(QHideEvent* event) {
    WindowBase<QDialog>::hideEvent(event);
    if (event->spontaneous() || !dataset_) return;
    if (dataset_->IsEditing() && !dataset_->Post()) {
        ShowMessage(QStringLiteral("FEIL"), dataset_->LastError());
        dataset_->Cancel();
    }
}

void ShowRecordInfo(QWidget* parent, Dataset* dataset) {
    RecordInfoForm form(parent);
    form.SetDataset(dataset ? dataset : DM().CommonDataset());
    form.exec();
}
