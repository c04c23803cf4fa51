// The dataset's editing: insert, edit, post, cancel and delete.
#include <mysql.h>

#include "db/Dataset.h"

#include <algorithm>

namespace {

Cell CellOfValue(const CellValue& v) {
    if (!v) return Cell();
    return Cell{v->constData(), static_cast<std::uint32_t>(v->size()), false};
}

bool SameValue(const Cell& a, const CellValue& b) {
    if (a.null || !b) return a.null && !b;
    return a.size == static_cast<std::uint32_t>(b->size()) &&
           std::equal(a.data, a.data + a.size, b->constData());
}

}  // namespace

Field* Dataset::IdField() const {
    for (Field* f : dataFields_) {
        if (f->writable_ && f->originName_.compare(QLatin1String("id"), Qt::CaseInsensitive) == 0) return f;
    }
    return nullptr;
}

bool Dataset::BeginEditing(DatasetState state) {
    buffer_.assign(columns_, std::nullopt);
    changed_.assign(columns_, false);
    if (state == DatasetState::Edit) {
        for (unsigned c = 0; c < columns_; ++c) {
            const Cell& cell = DataCell(static_cast<int>(c));
            if (!cell.null) buffer_[c] = QByteArray(cell.data, static_cast<qsizetype>(cell.size));
        }
    }
    bufferCells_.resize(columns_);
    for (unsigned c = 0; c < columns_; ++c) bufferCells_[c] = CellOfValue(buffer_[c]);
    calcDirty_ = true;
    SetState(state);
    return true;
}

bool Dataset::Insert() {
    if (!CheckBrowseMode()) return false;
    if (!CanModify()) {
        lastError_ = QStringLiteral("Datasettet er skrivebeskyttet");
        return false;
    }
    QString message;
    if (!beforeInsert_.Allow(*this, message)) {
        lastError_ = message;
        return false;
    }
    insertAt_ = std::max(row_, 0);
    BeginEditing(DatasetState::Insert);
    if (master_ && !masterKeyNull_) {
        if (Field* f = FieldByName(detailColumn_); f && f->kind_ == FieldKind::Data && f->column_ >= 0) {
            f->SetBytes(masterKey_);
        }
    }
    onNewRecord_.Fire(*this);
    return true;
}

bool Dataset::Append() {
    if (!Insert()) return false;
    insertAt_ = RecordCount();
    return true;
}

bool Dataset::Edit() {
    if (IsEditing()) return true;
    if (!IsActive()) {
        lastError_ = QStringLiteral("Datasettet er ikke åpnet");
        return false;
    }
    if (!CanModify()) {
        lastError_ = QStringLiteral("Datasettet er skrivebeskyttet");
        return false;
    }
    if (row_ < 0) {
        lastError_ = QStringLiteral("Ingen post å endre");
        return false;
    }
    QString message;
    if (!beforeEdit_.Allow(*this, message)) {
        lastError_ = message;
        return false;
    }
    return BeginEditing(DatasetState::Edit);
}

bool Dataset::SetCell(Field& field, CellValue value) {
    switch (field.kind_) {
        case FieldKind::Calculated:
            if (!calculating_) {
                lastError_ = QStringLiteral("Beregnet felt kan bare settes under beregningen: ") + field.name_;
                return false;
            }
            calcValues_[static_cast<std::size_t>(field.column_)] = std::move(value);
            return true;
        case FieldKind::Lookup:
            lastError_ = QStringLiteral("Oppslagsfelt kan ikke endres: ") + field.name_;
            return false;
        case FieldKind::Data:
            break;
    }
    if (!IsEditing()) {
        lastError_ = QStringLiteral("Datasettet er ikke i redigeringsmodus");
        return false;
    }
    if (!field.writable_ || field.column_ < 0) {
        lastError_ = QStringLiteral("Kolonnen kan ikke endres her: ") + field.name_;
        return false;
    }
    const auto c = static_cast<std::size_t>(field.column_);
    if (state_ == DatasetState::Edit) {
        changed_[c] = !SameValue(DataCell(field.column_), value);
    } else {
        changed_[c] = true;
    }
    buffer_[c] = std::move(value);
    bufferCells_[c] = CellOfValue(buffer_[c]);
    calcDirty_ = true;
    return true;
}

bool Dataset::IsModified() const {
    return IsEditing() && std::find(changed_.begin(), changed_.end(), true) != changed_.end();
}

bool Dataset::IsFieldChanged(const Field& field) const {
    return IsEditing() && field.kind_ == FieldKind::Data && field.column_ >= 0 &&
           changed_[static_cast<std::size_t>(field.column_)];
}

// Reads the row `id` of the update table into the values of its columns.
bool Dataset::ReadBack(const QByteArray& id, std::vector<CellValue>& values) {
    const QByteArray sql = "SELECT * FROM " + Connection::QuoteIdentifier(UpdateTable()).toUtf8() +
                           " WHERE `id` = " + connection_->QuoteUtf8(id);
    MYSQL* m = connection_->Acquire();
    if (!m) return false;
    if (mysql_real_query(m, sql.constData(), static_cast<unsigned long>(sql.size())) != 0) {
        connection_->NoteFailure();
        return false;
    }
    MYSQL_RES* res = mysql_store_result(m);
    if (!res) {
        connection_->NoteFailure();
        return false;
    }
    const unsigned n = mysql_num_fields(res);
    MYSQL_FIELD* f = mysql_fetch_fields(res);
    MYSQL_ROW row = mysql_fetch_row(res);
    if (row) {
        const unsigned long* lengths = mysql_fetch_lengths(res);
        for (unsigned i = 0; i < n; ++i) {
            const QString name = QString::fromUtf8(f[i].name, static_cast<qsizetype>(f[i].name_length));
            for (Field* fd : dataFields_) {
                if (fd->writable_ && fd->originName_.compare(name, Qt::CaseInsensitive) == 0) {
                    auto& v = values[static_cast<std::size_t>(fd->column_)];
                    if (row[i]) v = QByteArray(row[i], static_cast<qsizetype>(lengths[i]));
                    else v.reset();
                }
            }
        }
    }
    mysql_free_result(res);
    connection_->NoteSuccess();
    return row != nullptr;
}

bool Dataset::RefreshRecord() {
    if (!IsActive() || IsEditing() || row_ < 0) {
        lastError_ = QStringLiteral("Ingen post å lese på nytt");
        return false;
    }
    Field* idf = IdField();
    if (!idf || UpdateTable().isEmpty()) {
        lastError_ = QStringLiteral("Posten kan ikke leses på nytt: tabellen har ingen id-kolonne");
        return false;
    }
    const Cell& idCell = DataCell(idf->column_);
    if (idCell.null) {
        lastError_ = QStringLiteral("Posten kan ikke leses på nytt: den har ingen id");
        return false;
    }
    const QByteArray id(idCell.data, static_cast<qsizetype>(idCell.size));
    std::vector<CellValue> values(columns_);
    for (unsigned c = 0; c < columns_; ++c) {
        const Cell& cell = DataCell(static_cast<int>(c));
        if (!cell.null) values[c] = QByteArray(cell.data, static_cast<qsizetype>(cell.size));
    }
    if (!ReadBack(id, values)) {
        lastError_ = connection_->LastError().isEmpty()
                         ? QStringLiteral("Posten finnes ikke lenger i databasen; den kan være slettet "
                                          "fra en annen arbeidsstasjon")
                         : connection_->LastError();
        return false;
    }
    store_.Replace(static_cast<std::size_t>(row_), values);
    indexes_.clear();
    calcDirty_ = true;
    lastError_.clear();
    afterRefresh_.Fire(*this);
    DidScroll();
    return true;
}

bool Dataset::Post() {
    if (!IsEditing()) return IsActive();
    QString message;
    if (!beforePost_.Allow(*this, message)) {
        lastError_ = message;
        return false;
    }
    const QString table = UpdateTable();
    if (table.isEmpty()) {
        lastError_ = QStringLiteral("Datasettet kan ikke lagres: ingen tabell å skrive til");
        return false;
    }
    if (quotedTable_.isEmpty()) quotedTable_ = Connection::QuoteIdentifier(table).toUtf8();
    const QByteArray& quotedTable = quotedTable_;
    Field* idf = IdField();
    if (state_ == DatasetState::Insert) {
        QByteArray columns;
        QByteArray values;
        for (Field* f : dataFields_) {
            const auto c = static_cast<std::size_t>(f->column_);
            if (!f->writable_ || !changed_[c]) continue;
            if (!columns.isEmpty()) {
                columns += ',';
                values += ',';
            }
            columns += f->quotedName_;
            values += buffer_[c] ? connection_->QuoteUtf8(*buffer_[c]) : QByteArray("NULL");
        }
        const QByteArray sql = "INSERT INTO " + quotedTable + " (" + columns + ") VALUES (" + values + ")";
        if (!connection_->ExecUtf8(sql)) {
            lastError_ = connection_->LastError();
            return false;
        }
        QByteArray id;
        if (connection_->InsertId()) id = QByteArray::number(connection_->InsertId());
        else if (idf && buffer_[static_cast<std::size_t>(idf->column_)]) id = *buffer_[static_cast<std::size_t>(idf->column_)];
        lastError_.clear();
        if (idf && !id.isEmpty()) {
            buffer_[static_cast<std::size_t>(idf->column_)] = id;
            // The row is saved even when it cannot be read back; the message says so.
            if (!ReadBack(id, buffer_))
                lastError_ = QStringLiteral("Posten er lagret, men kunne ikke leses tilbake: ") +
                             connection_->LastError();
        }
        store_.Insert(static_cast<std::size_t>(insertAt_), buffer_);
        row_ = insertAt_;
        NoteLocalChange(id);
    } else {
        if (!idf) {
            lastError_ = QStringLiteral("Posten kan ikke lagres: tabellen har ingen id-kolonne");
            return false;
        }
        const Cell& original = DataCell(idf->column_);
        if (original.null) {
            lastError_ = QStringLiteral("Posten kan ikke lagres: den har ingen id");
            return false;
        }
        const QByteArray id(original.data, static_cast<qsizetype>(original.size));
        QByteArray assignments;
        for (Field* f : dataFields_) {
            const auto c = static_cast<std::size_t>(f->column_);
            if (!f->writable_ || !changed_[c]) continue;
            if (!assignments.isEmpty()) assignments += ',';
            assignments += f->quotedName_ + '=' +
                           (buffer_[c] ? connection_->QuoteUtf8(*buffer_[c]) : QByteArray("NULL"));
        }
        if (!assignments.isEmpty()) {
            const QByteArray sql = "UPDATE " + quotedTable + " SET " + assignments +
                                   " WHERE `id` = " + connection_->QuoteUtf8(id);
            if (!connection_->ExecUtf8(sql)) {
                lastError_ = connection_->LastError();
                return false;
            }
            if (connection_->LastMatchedRows() == 0) {
                lastError_ = QStringLiteral("Posten finnes ikke lenger i databasen; den kan være slettet "
                                            "fra en annen arbeidsstasjon");
                return false;
            }
            store_.Replace(static_cast<std::size_t>(row_), buffer_);
            NoteLocalChange(id);
        }
        lastError_.clear();
    }
    indexes_.clear();
    buffer_.clear();
    changed_.clear();
    bof_ = eof_ = false;
    SetState(DatasetState::Browse);
    afterPost_.Fire(*this);
    DidScroll();
    return true;
}

void Dataset::Cancel() {
    if (!IsEditing()) return;
    buffer_.clear();
    changed_.clear();
    SetState(DatasetState::Browse);
    afterCancel_.Fire(*this);
    DidScroll();
}

bool Dataset::Delete() {
    if (!IsActive()) {
        lastError_ = QStringLiteral("Datasettet er ikke åpnet");
        return false;
    }
    if (state_ == DatasetState::Insert) {
        Cancel();
        return true;
    }
    Cancel();
    if (!CanModify()) {
        lastError_ = QStringLiteral("Datasettet er skrivebeskyttet");
        return false;
    }
    if (row_ < 0) {
        lastError_ = QStringLiteral("Ingen post å slette");
        return false;
    }
    Field* idf = IdField();
    if (!idf || DataCell(idf->column_).null) {
        lastError_ = QStringLiteral("Posten kan ikke slettes: den har ingen id");
        return false;
    }
    QString message;
    if (!beforeDelete_.Allow(*this, message)) {
        lastError_ = message;
        return false;
    }
    const Cell& idCell = DataCell(idf->column_);
    const QByteArray id(idCell.data, static_cast<qsizetype>(idCell.size));
    const QByteArray sql = "DELETE FROM " + Connection::QuoteIdentifier(UpdateTable()).toUtf8() +
                           " WHERE `id` = " + connection_->QuoteUtf8(id);
    if (!connection_->ExecUtf8(sql)) {
        lastError_ = connection_->LastError();
        return false;
    }
    lastError_.clear();
    store_.Remove(static_cast<std::size_t>(row_));
    indexes_.clear();
    NoteLocalChange(id);
    // The row after the deleted one becomes current (read when it was the last held).
    EnsureRow(row_);
    const int count = FetchedCount();
    if (row_ >= count) row_ = count - 1;
    bof_ = eof_ = count == 0;
    afterDelete_.Fire(*this);
    DidScroll();
    return true;
}
