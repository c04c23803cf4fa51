#include "ui/DbDateEdit.h"

#include "db/Field.h"
#include "ui/DbFieldLink.h"

namespace {

// The date an empty field shows: the minimum date, whose special text is blank.
const QDate kNoDate(1900, 1, 1);

}  // namespace

DbDateEdit::DbDateEdit(QWidget* parent) : QDateEdit(parent) {
    setCalendarPopup(true);
    setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    setMinimumDate(kNoDate);
    setSpecialValueText(QStringLiteral(" "));
    link_ = new DbFieldLink(this, [this](Field* field) {
        const QDate date = field && !field->IsNull() ? field->AsDate() : kNoDate;
        if (this->date() != date) setDate(date.isValid() ? date : kNoDate);
        setReadOnly(!link_->CanChange());
    });
    connect(this, &QDateEdit::dateChanged, this, [this](const QDate& date) {
        if (link_->Filling()) return;
        link_->Change(date == kNoDate ? QString() : date.toString(Qt::ISODate));
    });
}

DbDateEdit::DbDateEdit(Dataset* dataset, const QString& fieldName, QWidget* parent) : DbDateEdit(parent) {
    SetDataSource(dataset, fieldName);
}

void DbDateEdit::SetDataSource(Dataset* dataset, const QString& fieldName) { link_->SetDataSource(dataset, fieldName); }

bool DbDateEdit::SetUserDate(const QDate& date) {
    if (isReadOnly() || !link_->CanChange()) return false;
    setDate(date);
    return link_->Change(date.toString(Qt::ISODate));
}
