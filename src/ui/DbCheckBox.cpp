#include "ui/DbCheckBox.h"

#include "db/Field.h"
#include "ui/DbFieldLink.h"

DbCheckBox::DbCheckBox(const QString& text, QWidget* parent) : QCheckBox(text, parent) {
    link_ = new DbFieldLink(this, [this](Field* field) {
        // Numbers compare as numbers ("05" is 5); other values as text.
        bool on = false;
        if (field && !field->IsNull()) {
            bool a = false, b = false;
            const double value = field->AsString().toDouble(&a);
            const double wanted = checkedValue_.toDouble(&b);
            on = (a && b) ? value == wanted : field->AsString() == checkedValue_;
        }
        setChecked(on);
        setEnabled(link_->CanChange());
    });
    connect(this, &QCheckBox::clicked, this,
            [this](bool checked) { link_->Change(checked ? checkedValue_ : uncheckedValue_); });
}

DbCheckBox::DbCheckBox(const QString& text, Dataset* dataset, const QString& fieldName, QWidget* parent)
    : DbCheckBox(text, parent) {
    SetDataSource(dataset, fieldName);
}

void DbCheckBox::SetDataSource(Dataset* dataset, const QString& fieldName) { link_->SetDataSource(dataset, fieldName); }

void DbCheckBox::SetValues(const QString& checkedValue, const QString& uncheckedValue) {
    checkedValue_ = checkedValue;
    uncheckedValue_ = uncheckedValue;
    link_->Show();
}
