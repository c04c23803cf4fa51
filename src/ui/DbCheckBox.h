#pragma once

#include <QCheckBox>

class Dataset;
class DbFieldLink;

// A check box bound to a dataset field: checked when the field holds the checked value
// ("1" unless set, e.g. "5" for a published record); clicking writes the checked or the
// unchecked value ("0" unless set).
class DbCheckBox : public QCheckBox {
    Q_OBJECT
  public:
    explicit DbCheckBox(const QString& text, QWidget* parent = nullptr);
    DbCheckBox(const QString& text, Dataset* dataset, const QString& fieldName, QWidget* parent = nullptr);

    void SetDataSource(Dataset* dataset, const QString& fieldName);
    void SetValues(const QString& checkedValue, const QString& uncheckedValue);
    DbFieldLink& link() const { return *link_; }

  private:
    DbFieldLink* link_;
    QString checkedValue_ = QStringLiteral("1");
    QString uncheckedValue_ = QStringLiteral("0");
};
