#pragma once

#include <QLabel>

class Dataset;
class DbFieldLink;

// A read-only text showing a dataset field; dates and times in day.month.year.
class DbLabel : public QLabel {
    Q_OBJECT
  public:
    explicit DbLabel(QWidget* parent = nullptr);
    DbLabel(Dataset* dataset, const QString& fieldName, QWidget* parent = nullptr);

    void SetDataSource(Dataset* dataset, const QString& fieldName);
    DbFieldLink& link() const { return *link_; }

  private:
    DbFieldLink* link_;
};
