#include "ui/DbRadioGroup.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QRadioButton>

#include "db/Field.h"
#include "ui/DbFieldLink.h"

DbRadioGroup::DbRadioGroup(const QString& title, const std::vector<std::pair<QString, QString>>& items,
                           QWidget* parent)
    : QGroupBox(title, parent), group_(new QButtonGroup(this)) {
    auto* layout = new QHBoxLayout(this);
    for (std::size_t i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i].first, this);
        group_->addButton(button, static_cast<int>(i));
        layout->addWidget(button);
        values_.push_back(items[i].second);
    }
    layout->addStretch();
    link_ = new DbFieldLink(this, [this](Field* field) {
        const QString value = field && !field->IsNull() ? field->AsString() : QString();
        int found = -1;
        for (std::size_t i = 0; i < values_.size(); ++i)
            if (values_[i] == value) found = static_cast<int>(i);
        group_->setExclusive(false);
        for (QAbstractButton* b : group_->buttons()) b->setChecked(group_->id(b) == found);
        group_->setExclusive(true);
        for (QAbstractButton* b : group_->buttons()) b->setEnabled(link_->CanChange());
    });
    connect(group_, &QButtonGroup::idClicked, this,
            [this](int id) { link_->Change(values_[static_cast<std::size_t>(id)]); });
}

void DbRadioGroup::SetDataSource(Dataset* dataset, const QString& fieldName) {
    link_->SetDataSource(dataset, fieldName);
}

QRadioButton* DbRadioGroup::Button(int item) const { return qobject_cast<QRadioButton*>(group_->button(item)); }

int DbRadioGroup::CheckedItem() const { return group_->checkedId(); }
