#include "ui/DbLookupCombo.h"

#include "db/Dataset.h"
#include "ui/DbFieldLink.h"

DbLookupCombo::DbLookupCombo(QWidget* parent) : QComboBox(parent) {
    link_ = new DbFieldLink(this, [this](Field* field) {
        const QString key = field && !field->IsNull() ? field->AsString() : QString();
        // The entry added for an unknown key is the one after the lookup's rows.
        const int rows = lookup_ && lookup_->IsActive() ? lookup_->RecordCount() : 0;
        while (count() > rows) removeItem(count() - 1);
        int found = key.isEmpty() ? -1 : findData(key);
        // 0 is "none" in every column that points to another row.
        if (found < 0 && !key.isEmpty() && key != QStringLiteral("0")) {
            addItem(key, key);
            found = count() - 1;
        }
        setCurrentIndex(found);
        setEnabled(link_->CanChange());
    });
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (index >= 0) link_->Change(itemData(index).toString());
    });
}

DbLookupCombo::~DbLookupCombo() { DetachLookup(); }

void DbLookupCombo::SetDataSource(Dataset* dataset, const QString& fieldName) {
    link_->SetDataSource(dataset, fieldName);
}

void DbLookupCombo::SetLookup(Dataset* lookup, const QString& keyField, const QString& displayField) {
    DetachLookup();
    lookup_ = lookup;
    keyField_ = keyField;
    displayField_ = displayField;
    if (lookup_) {
        auto refill = [this](Dataset&) { Fill(); };
        lookupIds_ = {lookup_->AfterOpen().Add(refill), lookup_->AfterRefresh().Add(refill),
                      lookup_->AfterClose().Add(refill), lookup_->AfterPost().Add(refill),
                      lookup_->AfterDelete().Add(refill)};
    }
    Fill();
}

void DbLookupCombo::DetachLookup() {
    if (!lookup_ || lookupIds_.size() != 5) return;
    lookup_->AfterOpen().Remove(lookupIds_[0]);
    lookup_->AfterRefresh().Remove(lookupIds_[1]);
    lookup_->AfterClose().Remove(lookupIds_[2]);
    lookup_->AfterPost().Remove(lookupIds_[3]);
    lookup_->AfterDelete().Remove(lookupIds_[4]);
    lookupIds_.clear();
}

void DbLookupCombo::Fill() {
    const bool blocked = blockSignals(true);
    clear();
    if (lookup_ && lookup_->IsActive()) {
        const int rows = lookup_->RecordCount();
        for (int row = 0; row < rows; ++row)
            addItem(lookup_->TextAt(row, displayField_), lookup_->TextAt(row, keyField_));
    }
    blockSignals(blocked);
    link_->Show();
}

bool DbLookupCombo::ChooseKey(const QString& key) {
    const int index = findData(key);
    if (index < 0 || !isEnabled()) return false;
    setCurrentIndex(index);
    return link_->Change(key);
}
