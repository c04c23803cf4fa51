#pragma once

#include <QByteArray>
#include <QHash>
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
    // 1-based position of the current record, 0 when there is none.
    int RecNo() const;
    bool SetRecNo(int recNo);

    // Moves to the first row whose column equals value (text compared without regard to
    // case when asked; numbers compared as numbers). An index of the column is built on
    // first use and dropped when rows change.
    bool Locate(const QString& column, const QVariant& value, bool caseInsensitive = false);
    // The 0-based row Locate would move to, -1 when none; the cursor stays.
    int FindRow(const QString& column, const QVariant& value, bool caseInsensitive = false);
    // A column's value at a row as text, without moving ("" for NULL).
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

    // Bytes held for the rows (for the memory benchmark and diagnostics).
    std::size_t MemoryBytes() const { return store_.BytesHeld(); }
    // The statement Open sends.
    virtual QString SelectSql() const = 0;

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

private:
    friend class Field;

    bool Fetch(bool stream);
    void FetchMore(std::size_t rows) const;
    void FinishFetch() const { FetchMore(static_cast<std::size_t>(-1)); }
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
        onCalcFields_, afterScroll_, afterOpen_, afterRefresh_, afterClose_;
};
