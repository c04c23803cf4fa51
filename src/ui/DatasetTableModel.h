#pragma once

#include <QAbstractItemView>
#include <QAbstractTableModel>
#include <QPointer>
#include <QString>
#include <functional>
#include <utility>
#include <vector>

class Dataset;

// One grid column over a dataset field.
struct DatasetColumn {
    DatasetColumn(QString fieldName, QString columnTitle, QString numberFormat = QString(), bool canEdit = false)
        : field(std::move(fieldName)), title(std::move(columnTitle)), format(std::move(numberFormat)), editable(canEdit) {}

    QString field;   // the field's name in the dataset
    QString title;   // the column title
    QString format;  // number format such as "### ##0.00" or "0"; empty: the field's own text
    bool editable = false;
};

// A table model over one of our datasets: a row per record, a column per chosen field.
//
// Cells are read by row without moving the dataset's cursor; the row being edited shows the
// values typed so far, and a row being inserted shows as an extra last row. Attached to a
// view, the view's current row follows the dataset's cursor and the cursor follows the
// view's selection; a click on a column title asks for that order (by default a Table's
// ORDER BY, and the same title again sorts descending). The model follows the dataset when
// it opens, closes, refreshes, posts, cancels or deletes.
class DatasetTableModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    DatasetTableModel(Dataset& dataset, std::vector<DatasetColumn> columns, QObject* parent = nullptr);
    ~DatasetTableModel() override;

    Dataset& dataset() const { return *dataset_; }
    const std::vector<DatasetColumn>& columns() const { return columns_; }
    int ColumnOf(const QString& field) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Moves to the row, puts it in edit mode and sets the field; the row is saved when
    // the cursor leaves it (or by the owner's save command).
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // The text a cell shows (formatted), for the owner's rules and for tests.
    QString CellText(int row, int column) const;
    // The 0-based row of the dataset's current record (the insert row while inserting), -1 when none.
    int CurrentRow() const;
    // Moves the dataset's cursor to a row; false when it could not move.
    bool MoveToRow(int row);

    // Keeps the view's current row and the dataset's cursor together and sorts on title
    // clicks. One view at a time; the model must outlive the link or the view.
    void AttachView(QAbstractItemView* view);
    QAbstractItemView* view() const { return view_; }

    // What a title click does: called with the column's field name. Without a handler a
    // Table is ordered by the field (descending when it already is ascending by it).
    void SetSortHandler(std::function<void(const QString& field)> handler) { sortHandler_ = std::move(handler); }
    void RequestSort(int column);

    // Re-reads everything (also done on the dataset's events).
    void Reload();

    // The display text of a value by a number format: "### ##0.00" gives a blank as
    // thousands separator and two decimals, "0.000" three decimals, "0" none.
    static QString FormatNumber(double value, const QString& format);

  private:
    static constexpr int kFetchRows = 500;

    int LiveRows() const;
    void RowsFetched();
    QString RawText(int row, const DatasetColumn& column) const;
    void DatasetChanged(bool structure);
    void SyncViewToCursor();
    void ViewRowChanged(int row);

    Dataset* dataset_;
    std::vector<DatasetColumn> columns_;
    std::vector<int> eventIds_;
    std::vector<int> scrollIds_;
    int cachedRows_ = 0;
    QPointer<QAbstractItemView> view_;
    QMetaObject::Connection viewConnection_;
    QMetaObject::Connection headerConnection_;
    bool syncing_ = false;
    std::function<void(const QString&)> sortHandler_;
};
