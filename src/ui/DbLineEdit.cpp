#include "ui/DbLineEdit.h"

#include <QRegularExpression>

#include "db/Dataset.h"
#include "db/Field.h"
#include "ui/DbFieldLink.h"

DbLineEdit::DbLineEdit(QWidget* parent) : QLineEdit(parent) {
    link_ = new DbFieldLink(this, [this](Field* field) {
        const QString text = field ? field->AsString() : QString();
        if (this->text() != text) setText(text);
        setReadOnly(!link_->CanChange());
    });
    connect(this, &QLineEdit::textEdited, this, [this](const QString& text) { Apply(text); });
}

DbLineEdit::DbLineEdit(Dataset* dataset, const QString& fieldName, QWidget* parent)
    : DbLineEdit(parent) {
    SetDataSource(dataset, fieldName);
}

void DbLineEdit::SetDataSource(Dataset* dataset, const QString& fieldName) {
    link_->SetDataSource(dataset, fieldName);
}

bool DbLineEdit::SetUserText(const QString& text) {
    if (isReadOnly()) return false;
    setText(text);
    return Apply(text);
}

bool DbLineEdit::Apply(const QString& text) {
    Dataset* dataset = link_->dataset();
    Field* field = dataset ? dataset->FieldByName(link_->fieldName()) : nullptr;
    if (!field || !field->IsNumeric()) return link_->Change(text);
    const std::optional<QString> number =
        ServerNumberText(text, field->Type() != FieldType::Integer);
    if (!number) {
        link_->Show();
        return false;
    }
    return link_->Change(*number);
}

std::optional<QString> DbLineEdit::ServerNumberText(const QString& typed, bool decimals) {
    QString number = typed;
    // Blanks of every width that may stand between the thousands.
    number.remove(u' ').remove(QChar(0x00A0)).remove(QChar(0x202F)).remove(QChar(0x2009));
    number.replace(u',', u'.');
    if (number.isEmpty() || number == u"-" || number == u"+" || number == u"." || number == u"-." ||
        number == u"+.")
        return QString();
    static const QRegularExpression withDecimals(
        QStringLiteral(R"(^[-+]?([0-9]+\.?[0-9]*|\.[0-9]+)$)"));
    static const QRegularExpression whole(QStringLiteral(R"(^[-+]?[0-9]+$)"));
    if (!(decimals ? withDecimals : whole).match(number).hasMatch()) return std::nullopt;
    return number;
}
