#pragma once

#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QString>
#include <QVariant>

#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "db/Connection.h"
#include "db/DatasetEvent.h"
#include "db/Field.h"
#include "db/RowStore.h"

enum class DatasetState { Inactive, Browse, Edit, Insert };

// Rows of one SELECT with a current record, typed field access and editing. The two faces
// are Table (a table with order, SQL filter and master-detail link) and Query (replaceable
// SQL text).
//
// Rows are kept compactly as the server sent them and converted on access. Post writes one
// INSERT, or one UPDATE by `id` with only the changed columns, every value quoted by the
// connection; after an INSERT the row is read back, so it shows the server's `id` and
// defaults. A post that fails keeps the dataset in Edit or Insert with every value set, and
// LastError() holds the server's message.
//
// Moving the cursor while editing posts first (and does not move when that fails).
//
// A Table reads its rows in pages: opening reads the first page, and further pages are read
// as the cursor or a grid reaches them, each with a statement of its own that is read to its
// end at once, so the connection is free between pages. Whatever needs every row
// (RecordCount, Last, Locate, lookups, Append) reads the rest first. A Query reads its rows
// while the server sends them; anything else on the connection reads the rest first.
class Dataset {
public:
    explicit Dataset(Connection& connection);
    virtual ~Dataset();
    Dataset(const Dataset&) = delete;
    Dataset& operator=(const Dataset&) = delete;

    Connection& connection() const { return *connection_; }

    bool Open();
    void Close();  // drops unsaved changes
    // Reads the rows again (posting pending changes first) and stays on the same `id`.
    bool Refresh();
    // Reads the current row again from the update table, the others as they are (a record
    // window showing a row another workstation may have changed). False, with LastError,
    // when editing, on no row, or when the row is gone from the database.
    bool RefreshRecord();
    bool IsActive() const { return state_ != DatasetState::Inactive; }
    DatasetState State() const { return state_; }
    bool IsEditing() const { return state_ == DatasetState::Edit || state_ == DatasetState::Insert; }

    bool IsReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }
    // Whether rows can be changed: open, not read-only, and with a table to write to.
    bool CanModify() const;

    // Navigation. Eof is true after Next on the last row (or when empty), Bof after Prior
    // on the first; First sets Bof, Last sets Eof. The functions return false when the
    // cursor could not move (end reached, or pending changes could not be saved).
    bool First();
    bool Last();
    bool Next();
    bool Prior();
    bool MoveBy(int distance);
    bool Eof() const { return eof_; }
    bool Bof() const { return bof_; }
    bool IsEmpty() const { return store_.Size() == 0; }
    // All rows (a table being read is read to the end first).
    int RecordCount() const;
    // Whether every row is held (no further page or streamed row to read).
    bool AllFetched() const;
    // The rows held so far (the rows RecNo and TextAt reach without reading more).
    int FetchedCount() const { return static_cast<int>(store_.Size()); }
    // Reads at least `rows` further rows (fewer at the end); false when none came.
    bool FetchMore(int rows);
    // The rows the server holds for this dataset's statement (SELECT COUNT(*) for a table
    // still being read; the rows held otherwise), -1 when the server cannot say.
    int ServerRecordCount() const;
    // 1-based position of the current record, 0 when there is none.
    int RecNo() const;
    bool SetRecNo(int recNo);

    // Moves to the first row whose column equals value (text compared without regard to
    // case when asked; numbers compared as numbers). An index of the column is built on
    // first use and dropped when rows change.
    bool Locate(const QString& column, const QVariant& value, bool caseInsensitive = false);
    // The 0-based row Locate would move to, -1 when none; the cursor stays.
    int FindRow(const QString& column, const QVariant& value, bool caseInsensitive = false);
    // A column's value at a row as text, without moving ("" for NULL); a looked-up field by
    // the row's own key, a calculated one only on the current row (through the field).
    QString TextAt(int row, const QString& column) const;

    // Editing. Insert adds the new row before the current one, Append at the end.
    bool Append();
    bool Insert();
    bool Edit();
    bool Post();
    void Cancel();
    bool Delete();

    // Fields: the result's columns in order, then calculated and lookup fields.
    int FieldCount() const { return static_cast<int>(fields_.size()); }
    Field* FieldAt(int index) const { return fields_[static_cast<size_t>(index)]; }
    // nullptr when there is no such field (compared without regard to case).
    Field* FieldByName(const QString& name) const;
    QStringList FieldNames() const;
    // Defined before or after opening; computed by the CalcFields event.
    Field& AddCalculatedField(const QString& name, FieldType type);
    // The value of resultColumn in the row of `lookup` whose lookupKey equals this
    // dataset's keyField.
    Field& AddLookupField(const QString& name, const QString& keyField, Dataset& lookup,
                          const QString& lookupKey, const QString& resultColumn);

    // Shorthand for FieldByName(name)->As... ; an unknown name reads as NULL and sets
    // LastError, a setter with an unknown name returns false.
    bool IsNull(const QString& name) const;
    QString AsString(const QString& name) const;
    qint64 AsInteger(const QString& name) const;
    double AsFloat(const QString& name) const;
    bool AsBool(const QString& name) const;
    QDate AsDate(const QString& name) const;
    QDateTime AsDateTime(const QString& name) const;
    bool SetString(const QString& name, const QString& value);
    bool SetInteger(const QString& name, qint64 value);
    bool SetFloat(const QString& name, double value);
    bool SetBool(const QString& name, bool value);
    bool SetDate(const QString& name, const QDate& value);
    bool SetDateTime(const QString& name, const QDateTime& value);
    bool SetNull(const QString& name);

    // Fields changed since Edit or Insert.
    bool IsModified() const;
    bool IsFieldChanged(const Field& field) const;

    QString LastError() const { return lastError_; }

    // Events. Before-events may refuse the operation (Veto::Refuse); Post and Delete then
    // return false with the message in LastError().
    DatasetVetoEvent& BeforeInsert() { return beforeInsert_; }
    DatasetEvent<Dataset&>& OnNewRecord() { return onNewRecord_; }
    DatasetVetoEvent& BeforeEdit() { return beforeEdit_; }
    DatasetVetoEvent& BeforePost() { return beforePost_; }
    DatasetEvent<Dataset&>& AfterPost() { return afterPost_; }
    DatasetVetoEvent& BeforeDelete() { return beforeDelete_; }
    DatasetEvent<Dataset&>& AfterDelete() { return afterDelete_; }
    DatasetEvent<Dataset&>& AfterCancel() { return afterCancel_; }
    DatasetEvent<Dataset&>& OnStateChange() { return onStateChange_; }
    DatasetEvent<Dataset&>& OnCalcFields() { return onCalcFields_; }
    // The current record changed: moved, opened, refreshed, posted, deleted, closed.
    DatasetEvent<Dataset&>& AfterScroll() { return afterScroll_; }
    DatasetEvent<Dataset&>& AfterOpen() { return afterOpen_; }
    DatasetEvent<Dataset&>& AfterRefresh() { return afterRefresh_; }
    DatasetEvent<Dataset&>& AfterClose() { return afterClose_; }
    // Further rows were added at the end (a page read as the cursor or a grid reached it).
    DatasetEvent<Dataset&>& AfterFetch() { return afterFetch_; }

    // Bytes held for the rows (for the memory benchmark and diagnostics).
    std::size_t MemoryBytes() const { return store_.BytesHeld(); }
    // The statement of every row.
    virtual QString SelectSql() const = 0;
    // The statement Open sends: SelectSql(), or for a table read in pages its first page.
    QString OpenSql() const;
    // The ORDER BY the pages are read in: the order with the `id` tie-break where it needs
    // one ("" when the rows are not read in pages).
    QString PageOrderBy() const { return paging_.on ? paging_.orderBy : QString(); }

protected:
    // The table Post writes to ("" when the rows cannot be changed).
    virtual QString UpdateTable() const = 0;
    // Reopen after the statement changed (stays closed when it was closed).
    bool Reopen();
    void SetError(const QString& text) const { lastError_ = text; }

    // Master-detail: this dataset shows the rows whose detailColumn equals the master's
    // current masterColumn; it follows the master as it moves.
    void LinkToMaster(Dataset* master, const QString& masterColumn, const QString& detailColumn);
    Dataset* Master() const { return master_; }
    // The SQL condition of the master link ("" without a link).
    QString MasterCondition() const;

    // Paging. A dataset that can read its rows in pages gives its order (an ORDER BY text,
    // "" for none) and the statement of one page: the rows that also meet `condition`
    // ("" for none) in the order `orderBy`, `offset` rows skipped, at most `limit` rows
    // (kAllRows: no limit). Empty when the rows cannot be read in pages.
    static constexpr std::size_t kAllRows = static_cast<std::size_t>(-1);
    virtual QString PageOrder() const { return QString(); }
    virtual QString PageSql(const QString& condition, const QString& orderBy, std::size_t limit,
                            std::size_t offset) const;
    // Columns that hold a different value in every row, never NULL (an order by one of them
    // needs no `id` tie-break, so that the server can follow their unique index).
    virtual QStringList UniqueColumns() const { return QStringList(); }
    // SELECT COUNT(*) of the rows ("" when not known).
    virtual QString CountSql() const { return QString(); }
    // The table changed: try pages again even when the last table had no `id`.
    void ForgetPagingFailure() { pagingFailed_ = false; }

private:
    friend class Field;

    bool Fetch(bool stream, std::size_t pageRows = kFirstPage);
    bool FetchAllAtOnce(bool stream);
    bool FetchPaged(std::size_t limit, bool& retryWhole);
    bool ReadResult(st_mysql* m, struct st_mysql_res* res, RowStore& rows, unsigned& errnum, QString& error) const;
    void PlanPages(struct st_mysql_res* res, const std::vector<struct OrderTerm>* terms, const QStringList& unique) const;
    QByteArray NextPageCondition() const;
    void NoteLastServerRow(const char* row) const;
    // Reads at least `rows` more rows (a page, or streamed rows); true when any came.
    bool FetchRows(std::size_t rows) const;
    bool FetchPage(std::size_t rows) const;
    bool FetchRestAfterShift() const;
    // Reads rows until `row` is held or none are left.
    void EnsureRow(int row) const;
    void StreamMore(std::size_t rows) const;
    void FinishFetch() const { FetchRows(kAllRows); }
    void NoteLocalChange(const QByteArray& id);
    int HeldRowOfId(const QByteArray& id, int from) const;
    void EndStream() const;
    void DiscardStream();
    void BindFields(struct st_mysql_res* result);
    bool CheckBrowseMode();
    void SetState(DatasetState state);
    void DidScroll();
    void MoveTo(int row);
    void MasterMoved();
    bool UpdateMasterKey();
    Cell LookupCell(const Field& field) const;
    Cell LookupCellOfKey(const Field& field, const Cell& key) const;
    const Cell& DataCell(int column) const {
        if (decodedRow_ != row_ || decodedPtr_ != store_.Row(static_cast<std::size_t>(row_))) DecodeCurrent();
        return cells_[static_cast<std::size_t>(column)];
    }
    void DecodeCurrent() const;
    // The value of a field on the current record; the common case (a column while
    // browsing) inline, as it is read for every row of a walk.
    Cell CellOf(const Field& field) const {
        if (state_ == DatasetState::Browse && field.kind_ == FieldKind::Data && field.column_ >= 0 && row_ >= 0)
            return DataCell(field.column_);
        return OtherCellOf(field);
    }
    Cell OtherCellOf(const Field& field) const;
    bool SetCell(Field& field, CellValue value);
    void EnsureCalculated() const;
    bool BeginEditing(DatasetState state);
    bool ReadBack(const QByteArray& id, std::vector<CellValue>& values);
    Field* IdField() const;
    const QHash<QByteArray, int>& Index(int column, bool caseInsensitive);
    static QByteArray Key(const Field& field, const char* data, std::size_t size, bool ci);
    static bool KeyOfValue(const Field& field, const QVariant& value, bool ci, QByteArray& key);

    Connection* connection_;
    DatasetState state_ = DatasetState::Inactive;
    bool readOnly_ = false;
    // Open reads the first rows and returns; the rest are read as the cursor reaches them,
    // while the server sends them, or all at once when anything else needs the connection.
    mutable RowStore store_;
    mutable struct st_mysql_res* streamResult_ = nullptr;
    mutable struct st_mysql* streamHandle_ = nullptr;

    // Rows read in pages: what the next page starts after.
    static constexpr std::size_t kFirstPage = 500;
    struct PageState {
        bool on = false;    // the rows came in pages
        bool more = false;  // rows remain on the server
        // Keyset: the next page is the rows after the last one read, by the order's columns
        // and `id`. Otherwise by OFFSET (orders that are not plain columns).
        bool keyset = false;
        QString orderBy;                // the order with the `id` tie-break
        std::vector<int> keyColumns;    // result columns of the order, `id` last
        std::vector<bool> keyDescending;
        std::vector<bool> keyNumeric;
        std::vector<QByteArray> keyNames;  // as SQL
        std::vector<CellValue> lastKey;    // their values in the last row the server gave
        int idColumn = -1;
        std::size_t serverRows = 0;     // rows the server gave so far (the next OFFSET)
        std::size_t nextSize = kFirstPage;
        // OFFSET paging after rows were added, removed or moved here: the offsets no longer
        // hold, so the rest is read whole and the rows already held are left out.
        bool shifted = false;
        // Keyset paging: `id`s of rows posted here, which a later page may hold again.
        QSet<QByteArray> localIds;
    };
    mutable PageState paging_;
    mutable bool fetching_ = false;
    bool pagingFailed_ = false;  // the table has no `id`: read whole
    int row_ = -1;
    bool bof_ = true;
    bool eof_ = true;
    mutable QString lastError_;

    std::vector<std::unique_ptr<Field>> ownedFields_;
    std::vector<Field*> fields_;      // in order: data fields of the result, then the others
    std::vector<Field*> dataFields_;  // by result column
    QHash<QString, Field*> byName_;   // lower-case names
    unsigned columns_ = 0;
    QByteArray quotedTable_;  // the update table's name as SQL, for Post

    // The current row's cells, decoded once per row on first access.
    mutable std::vector<Cell> cells_;
    mutable int decodedRow_ = -1;
    mutable const char* decodedPtr_ = nullptr;

    // Edit and Insert: values and changed flags per result column.
    std::vector<CellValue> buffer_;
    std::vector<Cell> bufferCells_;
    std::vector<bool> changed_;
    int insertAt_ = -1;

    // Calculated fields of the current record.
    mutable std::vector<CellValue> calcValues_;
    mutable bool calcDirty_ = true;
    mutable bool calculating_ = false;

    std::map<std::pair<int, bool>, QHash<QByteArray, int>> indexes_;

    Dataset* master_ = nullptr;
    QString masterColumn_;
    QString detailColumn_;
    std::vector<Dataset*> details_;
    QByteArray masterKey_;
    bool masterKeyNull_ = true;

    DatasetVetoEvent beforeInsert_, beforeEdit_, beforePost_, beforeDelete_;
    DatasetEvent<Dataset&> onNewRecord_, afterPost_, afterDelete_, afterCancel_, onStateChange_,
        onCalcFields_, afterScroll_, afterOpen_, afterRefresh_, afterClose_, afterFetch_;
};
