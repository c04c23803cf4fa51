#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <vector>

class Dataset;
class Field;
class QWidget;

// The link of one data-bound widget to one field of a dataset's current record: tells the
// widget to show the field again whenever the record changes (moved, opened, closed,
// refreshed, saved, cancelled, a new record's defaults set), and turns a change the user
// makes into an edit of the record. The widget's own signals are ignored while it is
// being filled.
class DbFieldLink : public QObject {
    Q_OBJECT
  public:
    // `show` fills the widget from the field (nullptr when there is no such field or
    // record); it runs with Filling() true.
    DbFieldLink(QWidget* widget, std::function<void(Field* field)> show);
    ~DbFieldLink() override;

    void SetDataSource(Dataset* dataset, const QString& fieldName);
    Dataset* dataset() const { return dataset_; }
    const QString& fieldName() const { return fieldName_; }
    // The field on a record (nullptr when closed, empty or unknown).
    Field* CurrentField() const;

    // Whether the user may change the field now: open, writable, a column of the table.
    bool CanChange() const;
    // Puts the record in edit mode and sets the field from a text the user gave; false
    // (and the widget shown again) when the record cannot be changed or refused the value.
    bool Change(const QString& text);

    bool Filling() const { return filling_; }
    // Shows the field again.
    void Show();

    // Shows the field again in every data-bound widget under `root` (after a rule set a
    // field directly).
    static void ShowAll(QObject* root);

  private:
    void Attach();
    void Detach();

    QWidget* widget_;
    std::function<void(Field*)> show_;
    Dataset* dataset_ = nullptr;
    QString fieldName_;
    std::vector<int> ids_;
    bool filling_ = false;
};
