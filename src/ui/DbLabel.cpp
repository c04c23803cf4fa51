#include "ui/DbLabel.h"

#include "db/Field.h"
#include "ui/DbFieldLink.h"

DbLabel::DbLabel(QWidget* parent) : QLabel(parent) {
    setTextInteractionFlags(Qt::TextSelectableByMouse);
    setFrameShape(QFrame::StyledPanel);
    link_ = new DbFieldLink(this, [this](Field* field) {
        if (!field || field->IsNull()) {
            setText(QString());
        } else if (field->Type() == FieldType::DateTime) {
            setText(field->AsDateTime().toString(QStringLiteral("dd.MM.yyyy HH:mm:ss")));
        } else if (field->Type() == FieldType::Date) {
            setText(field->AsDate().toString(QStringLiteral("dd.MM.yyyy")));
        } else {
            setText(field->AsString());
        }
    });
}

DbLabel::DbLabel(Dataset* dataset, const QString& fieldName, QWidget* parent) : DbLabel(parent) {
    SetDataSource(dataset, fieldName);
}

void DbLabel::SetDataSource(Dataset* dataset, const QString& fieldName) { link_->SetDataSource(dataset, fieldName); }
