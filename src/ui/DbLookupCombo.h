#pragma once

#include <QComboBox>
#include <vector>

class Dataset;
class DbFieldLink;

// A drop-down list bound to a dataset field that holds a key: the list shows a column of
// another dataset (the lookup), choosing an entry writes its key. A key the lookup does not
// hold shows as its number, except 0 (none), which shows no entry. The list follows the
// lookup when it opens or refreshes.
class DbLookupCombo : public QComboBox {
    Q_OBJECT
  public:
    explicit DbLookupCombo(QWidget* parent = nullptr);
    ~DbLookupCombo() override;

    void SetDataSource(Dataset* dataset, const QString& fieldName);
    void SetLookup(Dataset* lookup, const QString& keyField, const QString& displayField);
    DbFieldLink& link() const { return *link_; }

    // As if the user chose the entry whose key this is; false when there is none.
    bool ChooseKey(const QString& key);

  private:
    void Fill();
    void DetachLookup();

    DbFieldLink* link_;
    Dataset* lookup_ = nullptr;
    QString keyField_;
    QString displayField_;
    std::vector<int> lookupIds_;
};
