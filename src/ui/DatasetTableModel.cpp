#include "ui/DatasetTableModel.h"

#include <QAbstractItemView>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTableView>

#include "app/frame/TextHelpers.h"
#include "db/Dataset.h"
#include "db/Table.h"

namespace {

bool IsNumberFormat(const QString& format) {
    return format.contains(u'0') || format.contains(u'#');
}

// Server texts of dates and times in the screen's day.month.year order.
QString DateText(const QString& raw, FieldType type, const QString& format) {
    if (raw.isEmpty() || raw.startsWith(QLatin1String("0000-00-00"))) return QString();
    if (type == FieldType::Date) {
        const QDate d = QDate::fromString(raw.left(10), QStringLiteral("yyyy-MM-dd"));
        return d.isValid() ? d.toString(format.isEmpty() ? QStringLiteral("dd.MM.yyyy") : format) : raw;
    }
    const QDateTime t = QDateTime::fromString(raw.left(19), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    return t.isValid() ? t.toString(format.isEmpty() ? QStringLiteral("dd.MM.yyyy HH:mm") : format) : raw;
}

}  // namespace

DatasetTableModel::DatasetTableModel(Dataset& dataset, std::vector<DatasetColumn> columns, QObject* parent)
    : QAbstractTableModel(parent), dataset_(&dataset), columns_(std::move(columns)) {
    auto structural = [this](Dataset&) { DatasetChanged(true); };
    auto rows = [this](Dataset&) { DatasetChanged(false); };
    eventIds_ = {
        dataset.AfterOpen().Add(structural),  dataset.AfterClose().Add(structural),
        dataset.AfterRefresh().Add(rows),     dataset.AfterPost().Add(rows),
        dataset.AfterDelete().Add(rows),      dataset.AfterCancel().Add(rows),
        dataset.OnStateChange().Add(rows),    dataset.AfterScroll().Add([this](Dataset&) { SyncViewToCursor(); }),
        dataset.AfterFetch().Add([this](Dataset&) { RowsFetched(); }),
    };
    cachedRows_ = LiveRows();
}

DatasetTableModel::~DatasetTableModel() {
    // In the order they were added above.
    Dataset& d = *dataset_;
    d.AfterOpen().Remove(eventIds_[0]);
    d.AfterClose().Remove(eventIds_[1]);
    d.AfterRefresh().Remove(eventIds_[2]);
    d.AfterPost().Remove(eventIds_[3]);
    d.AfterDelete().Remove(eventIds_[4]);
    d.AfterCancel().Remove(eventIds_[5]);
    d.OnStateChange().Remove(eventIds_[6]);
    d.AfterScroll().Remove(eventIds_[7]);
    d.AfterFetch().Remove(eventIds_[8]);
    if (view_) {
        disconnect(viewConnection_);
        disconnect(headerConnection_);
    }
}

int DatasetTableModel::ColumnOf(const QString& field) const {
    for (std::size_t i = 0; i < columns_.size(); ++i)
        if (columns_[i].field.compare(field, Qt::CaseInsensitive) == 0) return static_cast<int>(i);
    return -1;
}

int DatasetTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : cachedRows_;
}

// Rows the dataset holds now: big tables are read in pages, so this grows as the view
// scrolls (fetchMore) or the cursor moves on.
int DatasetTableModel::LiveRows() const {
    if (!dataset_->IsActive()) return 0;
    return dataset_->FetchedCount() + (dataset_->State() == DatasetState::Insert ? 1 : 0);
}

bool DatasetTableModel::canFetchMore(const QModelIndex& parent) const {
    return !parent.isValid() && dataset_->IsActive() && !dataset_->AllFetched();
}

void DatasetTableModel::fetchMore(const QModelIndex& parent) {
    if (parent.isValid()) return;
    dataset_->FetchMore(kFetchRows);
    RowsFetched();
}

void DatasetTableModel::RowsFetched() {
    const int rows = LiveRows();
    if (rows <= cachedRows_) return;
    if (dataset_->State() == DatasetState::Insert) {
        Reload();  // the insert row stands last and would move
        return;
    }
    beginInsertRows(QModelIndex(), cachedRows_, rows - 1);
    cachedRows_ = rows;
    endInsertRows();
}

int DatasetTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

int DatasetTableModel::CurrentRow() const {
    if (!dataset_->IsActive()) return -1;
    if (dataset_->State() == DatasetState::Insert) return dataset_->FetchedCount();
    return dataset_->RecNo() - 1;
}

QString DatasetTableModel::RawText(int row, const DatasetColumn& column) const {
    Field* field = dataset_->FieldByName(column.field);
    if (!field) return QString();
    // The current row reads through the field: the values being edited, and calculated
    // fields, which only the cursor's row has (looked-up ones every row has).
    if (row == CurrentRow() && (dataset_->IsEditing() || field->Kind() != FieldKind::Data))
        return field->AsString();
    if (dataset_->State() == DatasetState::Insert && row >= dataset_->FetchedCount()) return QString();
    return dataset_->TextAt(row, column.field);
}

QString DatasetTableModel::CellText(int row, int column) const {
    if (column < 0 || column >= columnCount() || row < 0 || row >= rowCount()) return QString();
    const DatasetColumn& c = columns_[static_cast<std::size_t>(column)];
    const QString raw = RawText(row, c);
    Field* field = dataset_->FieldByName(c.field);
    if (!field || raw.isEmpty()) return raw;
    if (IsNumberFormat(c.format)) {
        bool ok = false;
        const double value = raw.toDouble(&ok);
        return ok ? FormatNumber(value, c.format) : raw;
    }
    if (field->Type() == FieldType::Date || field->Type() == FieldType::DateTime)
        return DateText(raw, field->Type(), c.format);
    return raw;
}

QVariant DatasetTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return QVariant();
    if (role == Qt::DisplayRole || role == Qt::EditRole) return CellText(index.row(), index.column());
    if (role == Qt::TextAlignmentRole) {
        const DatasetColumn& c = columns_[static_cast<std::size_t>(index.column())];
        Field* field = dataset_->FieldByName(c.field);
        if (IsNumberFormat(c.format) || (field && field->IsNumeric()))
            return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    }
    return QVariant();
}

QVariant DatasetTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return QVariant();
    if (orientation == Qt::Horizontal) {
        if (section < 0 || section >= columnCount()) return QVariant();
        return columns_[static_cast<std::size_t>(section)].title;
    }
    return section == CurrentRow() && dataset_->IsEditing() ? QStringLiteral("*") : QString();
}

Qt::ItemFlags DatasetTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    const DatasetColumn& c = columns_[static_cast<std::size_t>(index.column())];
    if (c.editable && dataset_->CanModify()) f |= Qt::ItemIsEditable;
    return f;
}

bool DatasetTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole) return false;
    const DatasetColumn& c = columns_[static_cast<std::size_t>(index.column())];
    if (!c.editable || !MoveToRow(index.row())) return false;
    if (!dataset_->IsEditing() && !dataset_->Edit()) return false;
    Field* field = dataset_->FieldByName(c.field);
    if (!field || !field->SetString(value.toString())) return false;
    const int row = CurrentRow();
    emit dataChanged(this->index(row, 0), this->index(row, columnCount() - 1));
    return true;
}

bool DatasetTableModel::MoveToRow(int row) {
    if (row == CurrentRow()) return true;
    if (row < 0 || row >= dataset_->FetchedCount()) return false;
    return dataset_->SetRecNo(row + 1);
}

void DatasetTableModel::AttachView(QAbstractItemView* view) {
    if (view_) {
        disconnect(viewConnection_);
        disconnect(headerConnection_);
    }
    view_ = view;
    if (!view) return;
    if (view->model() != this) view->setModel(this);
    viewConnection_ = connect(view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
                              [this](const QModelIndex& current, const QModelIndex&) {
                                  if (current.isValid()) ViewRowChanged(current.row());
                              });
    if (auto* table = qobject_cast<QTableView*>(view)) {
        table->horizontalHeader()->setSectionsClickable(true);
        headerConnection_ = connect(table->horizontalHeader(), &QHeaderView::sectionClicked, this,
                                    [this](int section) { RequestSort(section); });
    }
    SyncViewToCursor();
}

void DatasetTableModel::RequestSort(int column) {
    if (column < 0 || column >= columnCount()) return;
    const QString field = columns_[static_cast<std::size_t>(column)].field;
    if (sortHandler_) {
        sortHandler_(field);
        return;
    }
    if (auto* table = dynamic_cast<Table*>(dataset_)) {
        const QString order = table->Order() == field ? field + QStringLiteral(" DESC") : field;
        table->SetOrder(order);
        if (!table->IsActive()) Reload();
    }
}

void DatasetTableModel::Reload() {
    beginResetModel();
    cachedRows_ = LiveRows();
    endResetModel();
    SyncViewToCursor();
}

void DatasetTableModel::DatasetChanged(bool structure) {
    const int rows = LiveRows();
    if (structure || rows != cachedRows_) {
        Reload();
        return;
    }
    if (rows > 0 && columnCount() > 0) emit dataChanged(index(0, 0), index(rows - 1, columnCount() - 1));
    emit headerDataChanged(Qt::Vertical, 0, std::max(rows - 1, 0));
    SyncViewToCursor();
}

void DatasetTableModel::SyncViewToCursor() {
    if (!view_ || syncing_ || !view_->selectionModel()) return;
    syncing_ = true;
    const int row = CurrentRow();
    QItemSelectionModel* selection = view_->selectionModel();
    if (row < 0 || row >= rowCount()) {
        selection->clearSelection();
        selection->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    } else if (selection->currentIndex().row() != row || !selection->isRowSelected(row, QModelIndex())) {
        const int column = std::max(selection->currentIndex().column(), 0);
        selection->setCurrentIndex(index(row, column),
                                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        view_->scrollTo(index(row, column));
    }
    syncing_ = false;
}

void DatasetTableModel::ViewRowChanged(int row) {
    if (syncing_) return;
    syncing_ = true;
    const bool moved = MoveToRow(row);
    syncing_ = false;
    // A row that cannot be left (its changes could not be saved) stays selected; a save
    // that re-read the rows put the selection back.
    Q_UNUSED(moved);
    SyncViewToCursor();
}

QString DatasetTableModel::FormatNumber(double value, const QString& format) {
    const qsizetype point = format.indexOf(u'.');
    const int decimals = point < 0 ? 0 : static_cast<int>(format.size() - point - 1);
    const QString whole = point < 0 ? format : format.left(point);
    if (whole.contains(u' ') || whole.contains(u',')) return FormatThousands(0, decimals, value).trimmed();
    return QString::number(RoundDecimal(value, decimals), 'f', decimals);
}
