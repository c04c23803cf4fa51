#pragma once

#include <QGroupBox>
#include <QString>
#include <utility>
#include <vector>

class Dataset;
class DbFieldLink;
class QButtonGroup;
class QRadioButton;

// A group of radio buttons bound to a dataset field: one button per value; the button of
// the field's value is checked (none for other values), choosing one writes its value.
class DbRadioGroup : public QGroupBox {
    Q_OBJECT
  public:
    // Each item is a caption and the value it stands for.
    DbRadioGroup(const QString& title, const std::vector<std::pair<QString, QString>>& items,
                 QWidget* parent = nullptr);

    void SetDataSource(Dataset* dataset, const QString& fieldName);
    DbFieldLink& link() const { return *link_; }
    QRadioButton* Button(int item) const;
    // The checked item, -1 when none.
    int CheckedItem() const;

  private:
    DbFieldLink* link_;
    QButtonGroup* group_;
    std::vector<QString> values_;
};
