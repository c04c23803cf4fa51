#pragma once

#include <QLineEdit>
#include <optional>

class Dataset;
class DbFieldLink;

// A one-line edit bound to a dataset field: shows the current record's value and writes
// what the user types into the record (putting it in edit mode). Read-only while the
// record cannot be changed.
//
// On a number field the typed text is written as the number the server reads: blanks and
// no-break spaces between the thousands go, a decimal comma becomes a point ("1 234,50" is
// 1234.50). A text that is no number is refused (the field shows its value again), so the
// server never gets one to store as 0.
class DbLineEdit : public QLineEdit {
    Q_OBJECT
  public:
    explicit DbLineEdit(QWidget* parent = nullptr);
    DbLineEdit(Dataset* dataset, const QString& fieldName, QWidget* parent = nullptr);

    void SetDataSource(Dataset* dataset, const QString& fieldName);
    DbFieldLink& link() const { return *link_; }

    // As if the user typed the text (for rules and tests).
    bool SetUserText(const QString& text);

    // A typed number as the server reads it: "1 234,50" gives "1234.50", "-0,5" "-0.5"; ""
    // (no number yet: NULL) for an empty text, a lone sign or a lone comma. nullopt when the
    // text is no number, or holds decimals where `decimals` is false.
    static std::optional<QString> ServerNumberText(const QString& typed, bool decimals = true);

  private:
    // Writes the typed text into the record, as a number on a number field.
    bool Apply(const QString& text);

    DbFieldLink* link_;
};
