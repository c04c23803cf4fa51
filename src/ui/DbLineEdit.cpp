#include "ui/DbLineEdit.h"

#include "db/Field.h"
#include "ui/DbFieldLink.h"

DbLineEdit::DbLineEdit(QWidget* parent) : QLineEdit(parent) {
    link_ = new DbFieldLink(this, [this](Field* field) {
        const QString text = field ? field->AsString() : QString();
        if (this->text() != text) setText(text);
        setReadOnly(!link_->CanChange());
    });
    connect(this, &QLineEdit::textEdited, this, [this](const QString& text) { link_->Change(text); });
}

DbLineEdit::DbLineEdit(Dataset* dataset, const QString& fieldName, QWidget* parent) : DbLineEdit(parent) {
    SetDataSource(dataset, fieldName);
}

void DbLineEdit::SetDataSource(Dataset* dataset, const QString& fieldName) { link_->SetDataSource(dataset, fieldName); }

bool DbLineEdit::SetUserText(const QString& text) {
    if (isReadOnly()) return false;
    setText(text);
    return link_->Change(text);
}
