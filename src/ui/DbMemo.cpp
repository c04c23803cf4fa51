#include "ui/DbMemo.h"

#include "db/Field.h"
#include "ui/DbFieldLink.h"

DbMemo::DbMemo(QWidget* parent) : QPlainTextEdit(parent) {
    link_ = new DbFieldLink(this, [this](Field* field) {
        const QString text = field ? field->AsString() : QString();
        if (toPlainText() != text) setPlainText(text);
        setReadOnly(!link_->CanChange());
    });
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (!link_->Filling() && !isReadOnly()) link_->Change(toPlainText());
    });
}

DbMemo::DbMemo(Dataset* dataset, const QString& fieldName, QWidget* parent) : DbMemo(parent) {
    SetDataSource(dataset, fieldName);
}

void DbMemo::SetDataSource(Dataset* dataset, const QString& fieldName) { link_->SetDataSource(dataset, fieldName); }

bool DbMemo::SetUserText(const QString& text) {
    if (isReadOnly()) return false;
    setPlainText(text);  // textChanged writes it
    return toPlainText() == text && link_->CurrentField() && link_->CurrentField()->AsString() == text;
}
