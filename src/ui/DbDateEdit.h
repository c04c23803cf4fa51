#pragma once

#include <QDate>
#include <QDateEdit>

class Dataset;
class DbFieldLink;

// A date edit with a calendar picker bound to a date field: shows the current record's date
// (an empty field shows as blank) and writes the picked date into the record.
class DbDateEdit : public QDateEdit {
    Q_OBJECT
  public:
    explicit DbDateEdit(QWidget* parent = nullptr);
    DbDateEdit(Dataset* dataset, const QString& fieldName, QWidget* parent = nullptr);

    void SetDataSource(Dataset* dataset, const QString& fieldName);
    DbFieldLink& link() const { return *link_; }

    // As if the user picked the date (for rules and tests); false when the record cannot change.
    bool SetUserDate(const QDate& date);

  private:
    DbFieldLink* link_;
};
