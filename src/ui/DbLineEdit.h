#pragma once

#include <QLineEdit>

class Dataset;
class DbFieldLink;

// A one-line edit bound to a dataset field: shows the current record's value and writes
// what the user types into the record (putting it in edit mode). Read-only while the
// record cannot be changed.
class DbLineEdit : public QLineEdit {
    Q_OBJECT
  public:
    explicit DbLineEdit(QWidget* parent = nullptr);
    DbLineEdit(Dataset* dataset, const QString& fieldName, QWidget* parent = nullptr);

    void SetDataSource(Dataset* dataset, const QString& fieldName);
    DbFieldLink& link() const { return *link_; }

    // As if the user typed the text (for rules and tests).
    bool SetUserText(const QString& text);

  private:
    DbFieldLink* link_;
};
