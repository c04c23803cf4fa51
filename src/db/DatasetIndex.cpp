// Finding rows: the column indexes behind Locate and lookup fields, and the master-detail
// link that follows the master's current row.
#include "db/Dataset.h"
#include "db/FieldText.h"

namespace {

QByteArray Fold(const char* data, std::size_t size) {
    QByteArray out(data, static_cast<qsizetype>(size));
    bool ascii = true;
    for (char& c : out) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    }
    if (ascii) return out;
    return QString::fromUtf8(data, static_cast<qsizetype>(size)).toCaseFolded().toUtf8();
}

}  // namespace

QByteArray Dataset::Key(const Field& field, const char* data, std::size_t size, bool ci) {
    switch (field.type_) {
        case FieldType::Integer:
            return fieldtext::FromInteger(fieldtext::ToInteger(data, size));
        case FieldType::Float:
        case FieldType::Decimal:
            return fieldtext::FromFloat(fieldtext::ToFloat(data, size));
        default:
            return ci ? Fold(data, size) : QByteArray(data, static_cast<qsizetype>(size));
    }
}

bool Dataset::KeyOfValue(const Field& field, const QVariant& value, bool ci, QByteArray& key) {
    if (!value.isValid() || value.isNull()) return false;
    bool ok = true;
    switch (field.type_) {
        case FieldType::Integer: {
            const qint64 n = value.toLongLong(&ok);
            if (!ok) {
                const double d = value.toDouble(&ok);
                if (!ok || d != static_cast<double>(static_cast<qint64>(d))) return false;
                key = fieldtext::FromInteger(static_cast<qint64>(d));
                return true;
            }
            key = fieldtext::FromInteger(n);
            return true;
        }
        case FieldType::Float:
        case FieldType::Decimal: {
            const double d = value.toDouble(&ok);
            if (!ok) return false;
            key = fieldtext::FromFloat(d);
            return true;
        }
        default:
            break;
    }
    QByteArray text;
    if (value.typeId() == QMetaType::QDateTime) text = fieldtext::FromDateTime(value.toDateTime());
    else if (value.typeId() == QMetaType::QDate) text = fieldtext::FromDate(value.toDate());
    else if (value.typeId() == QMetaType::QByteArray) text = value.toByteArray();
    else text = value.toString().toUtf8();
    key = Key(field, text.constData(), static_cast<std::size_t>(text.size()), ci);
    return true;
}

// The first row of every value of a column, built on first use.
const QHash<QByteArray, int>& Dataset::Index(int column, bool caseInsensitive) {
    const auto slot = std::make_pair(column, caseInsensitive);
    auto it = indexes_.find(slot);
    if (it != indexes_.end()) return it->second;
    QHash<QByteArray, int>& index = indexes_[slot];
    const Field& field = *dataFields_[static_cast<std::size_t>(column)];
    const int count = RecordCount();
    index.reserve(count);
    // From the last row up, so that the first row of a value is the one kept.
    for (int r = count - 1; r >= 0; --r) {
        const Cell c = RowStore::CellAt(store_.Row(static_cast<std::size_t>(r)), static_cast<unsigned>(column));
        if (!c.null) index.insert(Key(field, c.data, c.size, caseInsensitive), r);
    }
    return index;
}

int Dataset::FindRow(const QString& column, const QVariant& value, bool caseInsensitive) {
    if (!IsActive()) {
        lastError_ = QStringLiteral("Datasettet er ikke åpnet");
        return -1;
    }
    Field* f = FieldByName(column);
    if (!f || f->kind_ != FieldKind::Data || f->column_ < 0) {
        lastError_ = QStringLiteral("Ukjent kolonne: ") + column;
        return -1;
    }
    if (!value.isValid() || value.isNull()) {
        for (int r = 0; r < RecordCount(); ++r) {
            if (RowStore::CellAt(store_.Row(static_cast<std::size_t>(r)), static_cast<unsigned>(f->column_)).null)
                return r;
        }
        return -1;
    }
    QByteArray key;
    if (!KeyOfValue(*f, value, caseInsensitive, key)) return -1;
    return Index(f->column_, caseInsensitive).value(key, -1);
}

bool Dataset::Locate(const QString& column, const QVariant& value, bool caseInsensitive) {
    if (!CheckBrowseMode()) return false;
    const int row = FindRow(column, value, caseInsensitive);
    if (row < 0) return false;
    MoveTo(row);
    return true;
}

Cell Dataset::LookupCell(const Field& field) const {
    Field* key = FieldByName(field.keyField_);
    return key ? LookupCellOfKey(field, CellOf(*key)) : Cell();
}

Cell Dataset::LookupCellOfKey(const Field& field, const Cell& k) const {
    Dataset* other = field.lookupDataset_;
    if (!other || !other->IsActive() || k.null) return Cell();
    Field* otherKey = other->FieldByName(field.lookupKey_);
    Field* result = other->FieldByName(field.lookupResult_);
    if (!otherKey || !result || otherKey->kind_ != FieldKind::Data || otherKey->column_ < 0 ||
        result->kind_ != FieldKind::Data || result->column_ < 0)
        return Cell();
    const QByteArray wanted = Key(*otherKey, k.data, k.size, false);
    const int row = other->Index(otherKey->column_, false).value(wanted, -1);
    if (row < 0) return Cell();
    return RowStore::CellAt(other->store_.Row(static_cast<std::size_t>(row)),
                            static_cast<unsigned>(result->column_));
}

void Dataset::LinkToMaster(Dataset* master, const QString& masterColumn, const QString& detailColumn) {
    if (master_) std::erase(master_->details_, this);
    master_ = master;
    masterColumn_ = masterColumn;
    detailColumn_ = detailColumn;
    if (master_) master_->details_.push_back(this);
    UpdateMasterKey();
    Reopen();
}

// Takes the master's current key; true when it changed.
bool Dataset::UpdateMasterKey() {
    QByteArray key;
    bool null = true;
    if (master_ && master_->IsActive()) {
        if (Field* f = master_->FieldByName(masterColumn_)) {
            const Cell c = master_->CellOf(*f);
            if (!c.null) {
                key = QByteArray(c.data, static_cast<qsizetype>(c.size));
                null = false;
            }
        }
    }
    const bool changed = null != masterKeyNull_ || key != masterKey_;
    masterKey_ = key;
    masterKeyNull_ = null;
    return changed;
}

void Dataset::MasterMoved() {
    if (UpdateMasterKey()) Reopen();
}

QString Dataset::MasterCondition() const {
    if (!master_) return QString();
    if (masterKeyNull_) return QStringLiteral("1=0");
    return Connection::QuoteIdentifier(detailColumn_) + QStringLiteral(" = ") +
           QString::fromUtf8(connection_->QuoteUtf8(masterKey_));
}
