// The dataset's rows and cursor: opening, closing, refreshing, moving, fields and
// reading values.
#include "db/Dataset.h"

#include <mysql.h>

#include <algorithm>

namespace {

FieldType TypeOf(const MYSQL_FIELD& f) {
    const bool binary = f.charsetnr == 63;
    switch (f.type) {
        case MYSQL_TYPE_TINY:
        case MYSQL_TYPE_SHORT:
        case MYSQL_TYPE_LONG:
        case MYSQL_TYPE_INT24:
        case MYSQL_TYPE_LONGLONG:
        case MYSQL_TYPE_YEAR:
            return FieldType::Integer;
        case MYSQL_TYPE_FLOAT:
        case MYSQL_TYPE_DOUBLE:
            return FieldType::Float;
        case MYSQL_TYPE_DECIMAL:
        case MYSQL_TYPE_NEWDECIMAL:
            return FieldType::Decimal;
        case MYSQL_TYPE_DATE:
        case MYSQL_TYPE_NEWDATE:
            return FieldType::Date;
        case MYSQL_TYPE_DATETIME:
        case MYSQL_TYPE_DATETIME2:
        case MYSQL_TYPE_TIMESTAMP:
        case MYSQL_TYPE_TIMESTAMP2:
            return FieldType::DateTime;
        case MYSQL_TYPE_TIME:
        case MYSQL_TYPE_TIME2:
            return FieldType::Time;
        case MYSQL_TYPE_BIT:
            return FieldType::Bytes;
        case MYSQL_TYPE_VARCHAR:
        case MYSQL_TYPE_VAR_STRING:
        case MYSQL_TYPE_STRING:
        case MYSQL_TYPE_TINY_BLOB:
        case MYSQL_TYPE_MEDIUM_BLOB:
        case MYSQL_TYPE_LONG_BLOB:
        case MYSQL_TYPE_BLOB:
            return binary ? FieldType::Bytes : FieldType::String;
        case MYSQL_TYPE_ENUM:
        case MYSQL_TYPE_SET:
        case MYSQL_TYPE_JSON:
        case MYSQL_TYPE_NULL:
            return FieldType::String;
        default:
            return FieldType::Other;
    }
}

QString LastPart(const QString& name) {
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    QString last = dot < 0 ? name : name.mid(dot + 1);
    last.remove(QLatin1Char('`'));
    return last;
}

}  // namespace

Dataset::Dataset(Connection& connection) : connection_(&connection) {}

Dataset::~Dataset() {
    DiscardStream();
    for (Dataset* d : details_) d->master_ = nullptr;
    if (master_) std::erase(master_->details_, this);
}

bool Dataset::CanModify() const { return IsActive() && !readOnly_ && !UpdateTable().isEmpty(); }

void Dataset::BindFields(st_mysql_res* result) {
    const unsigned n = result ? mysql_num_fields(result) : 0;
    MYSQL_FIELD* f = result ? mysql_fetch_fields(result) : nullptr;
    for (Field* fd : dataFields_) fd->column_ = -1;
    dataFields_.clear();
    QHash<QString, Field*> oldData;
    for (const auto& owned : ownedFields_) {
        if (owned->kind_ == FieldKind::Data) oldData.insert(owned->name_.toLower(), owned.get());
    }
    QSet<QString> seen;
    for (unsigned i = 0; i < n; ++i) {
        QString name = QString::fromUtf8(f[i].name, static_cast<qsizetype>(f[i].name_length));
        // A second column of the same name (from a join) is known as name_1, name_2, ...
        for (int k = 1; seen.contains(name.toLower()); ++k) {
            name = QString::fromUtf8(f[i].name, static_cast<qsizetype>(f[i].name_length)) +
                   QLatin1Char('_') + QString::number(k);
        }
        seen.insert(name.toLower());
        Field* fd = oldData.value(name.toLower());
        if (!fd) {
            ownedFields_.push_back(std::make_unique<Field>(*this, name, FieldKind::Data, TypeOf(f[i])));
            fd = ownedFields_.back().get();
        }
        fd->type_ = TypeOf(f[i]);
        fd->column_ = static_cast<int>(i);
        fd->originTable_ = QString::fromUtf8(f[i].org_table, static_cast<qsizetype>(f[i].org_table_length));
        fd->originName_ = QString::fromUtf8(f[i].org_name, static_cast<qsizetype>(f[i].org_name_length));
        fd->decimals_ = static_cast<int>(f[i].decimals);
        fd->length_ = f[i].length;
        fd->notNull_ = (f[i].flags & NOT_NULL_FLAG) != 0;
        fd->autoIncrement_ = (f[i].flags & AUTO_INCREMENT_FLAG) != 0;
        dataFields_.push_back(fd);
    }
    columns_ = n;
    cells_.assign(n, Cell());
    fields_ = dataFields_;
    for (const auto& owned : ownedFields_) {
        if (owned->kind_ != FieldKind::Data) fields_.push_back(owned.get());
    }
    byName_.clear();
    for (Field* fd : fields_) {
        if (!byName_.contains(fd->name_.toLower())) byName_.insert(fd->name_.toLower(), fd);
    }
    for (const auto& owned : ownedFields_) {
        if (!byName_.contains(owned->name_.toLower())) byName_.insert(owned->name_.toLower(), owned.get());
    }
    quotedTable_.clear();
    const QString table = LastPart(UpdateTable());
    for (Field* fd : dataFields_) {
        fd->writable_ = !table.isEmpty() && !fd->originName_.isEmpty() &&
                        fd->originTable_.compare(table, Qt::CaseInsensitive) == 0;
        fd->quotedName_ = Connection::QuoteIdentifier(fd->originName_).toUtf8();
    }
}

bool Dataset::Open() {
    if (IsActive()) return true;
    if (master_) UpdateMasterKey();
    if (!Fetch(true)) return false;
    state_ = DatasetState::Browse;
    row_ = store_.Size() ? 0 : -1;
    bof_ = true;
    eof_ = store_.Size() == 0;
    onStateChange_.Fire(*this);
    afterOpen_.Fire(*this);
    DidScroll();
    return true;
}

void Dataset::Close() {
    if (!IsActive()) return;
    DiscardStream();
    paging_ = PageState();
    buffer_.clear();
    changed_.clear();
    store_.Clear();
    indexes_.clear();
    decodedRow_ = -1;
    decodedPtr_ = nullptr;
    row_ = -1;
    bof_ = eof_ = true;
    state_ = DatasetState::Inactive;
    calcDirty_ = true;
    onStateChange_.Fire(*this);
    afterClose_.Fire(*this);
    for (Dataset* d : std::vector<Dataset*>(details_)) d->MasterMoved();
}

bool Dataset::Refresh() {
    if (!IsActive()) return Open();
    if (!CheckBrowseMode()) return false;
    const int oldRow = row_;
    QByteArray id;
    bool hadId = false;
    if (Field* idf = IdField(); idf && row_ >= 0) {
        const Cell& c = DataCell(idf->column_);
        if (!c.null) {
            id = QByteArray(c.data, static_cast<qsizetype>(c.size));
            hadId = true;
        }
    }
    if (master_) UpdateMasterKey();
    // A table read in pages reads again as many rows as it held (all when it held all).
    const std::size_t rows = AllFetched() ? kAllRows : std::max(kFirstPage, store_.Size());
    if (!Fetch(false, rows)) return false;
    int row = -1;
    if (hadId) {
        if (Field* idf = IdField()) {
            if (paging_.on) {
                // Held rows first; the rest only when the row is not among them.
                row = HeldRowOfId(id, 0);
                if (row < 0 && !AllFetched()) {
                    const int held = FetchedCount();
                    FinishFetch();
                    row = HeldRowOfId(id, held);
                }
            } else {
                const auto& index = Index(idf->column_, false);
                row = index.value(Key(*idf, id.constData(), static_cast<std::size_t>(id.size()), false), -1);
            }
        }
    }
    if (row < 0) {
        EnsureRow(oldRow);
        const int count = FetchedCount();
        row = count ? std::clamp(oldRow, 0, count - 1) : -1;
    }
    row_ = row;
    bof_ = eof_ = store_.Size() == 0;
    afterRefresh_.Fire(*this);
    DidScroll();
    return true;
}

bool Dataset::Reopen() {
    if (!IsActive()) return true;
    if (!CheckBrowseMode()) return false;
    if (master_) UpdateMasterKey();
    if (!Fetch(false)) return false;
    row_ = store_.Size() ? 0 : -1;
    bof_ = true;
    eof_ = store_.Size() == 0;
    afterOpen_.Fire(*this);
    DidScroll();
    return true;
}

// Saves pending changes before the cursor moves.
bool Dataset::CheckBrowseMode() {
    if (!IsActive()) {
        lastError_ = QStringLiteral("Datasettet er ikke åpnet");
        return false;
    }
    if (IsEditing()) return Post();
    return true;
}

void Dataset::SetState(DatasetState state) {
    if (state_ == state) return;
    state_ = state;
    onStateChange_.Fire(*this);
}

void Dataset::DidScroll() {
    calcDirty_ = true;
    afterScroll_.Fire(*this);
    if (!details_.empty()) {
        for (Dataset* d : std::vector<Dataset*>(details_)) d->MasterMoved();
    }
}

void Dataset::MoveTo(int row) {
    row_ = row;
    bof_ = eof_ = false;
    DidScroll();
}

bool Dataset::First() {
    if (!CheckBrowseMode()) return false;
    const bool empty = store_.Size() == 0;
    row_ = empty ? -1 : 0;
    bof_ = true;
    eof_ = empty;
    DidScroll();
    return !empty;
}

bool Dataset::Last() {
    if (!CheckBrowseMode()) return false;
    row_ = RecordCount() - 1;
    const bool empty = store_.Size() == 0;
    bof_ = empty;
    eof_ = true;
    DidScroll();
    return !empty;
}

bool Dataset::Next() {
    if (!CheckBrowseMode()) return false;
    if (row_ + 1 >= static_cast<int>(store_.Size())) EnsureRow(row_ + 1);
    if (row_ + 1 >= static_cast<int>(store_.Size())) {
        eof_ = true;
        return false;
    }
    ++row_;
    bof_ = eof_ = false;
    DidScroll();
    return true;
}

bool Dataset::Prior() {
    if (!CheckBrowseMode()) return false;
    if (row_ <= 0) {
        bof_ = true;
        return false;
    }
    --row_;
    bof_ = eof_ = false;
    DidScroll();
    return true;
}

bool Dataset::MoveBy(int distance) {
    if (!CheckBrowseMode()) return false;
    if (distance > 0) EnsureRow(row_ + distance);
    const int count = FetchedCount();
    if (count == 0) return false;
    const int target = std::clamp(row_ + distance, 0, count - 1);
    const bool moved = target != row_;
    row_ = target;
    bof_ = distance < 0 && target == 0 && !moved ? true : false;
    eof_ = distance > 0 && target == count - 1 && !moved ? true : false;
    if (moved) DidScroll();
    return moved;
}

int Dataset::RecNo() const { return IsActive() && row_ >= 0 ? row_ + 1 : 0; }

bool Dataset::SetRecNo(int recNo) {
    if (!CheckBrowseMode()) return false;
    if (recNo < 1) return false;
    EnsureRow(recNo - 1);
    if (recNo > FetchedCount()) return false;
    MoveTo(recNo - 1);
    return true;
}

void Dataset::DecodeCurrent() const {
    const char* row = store_.Row(static_cast<std::size_t>(row_));
    RowStore::Decode(row, columns_, cells_.data());
    decodedRow_ = row_;
    decodedPtr_ = row;
}

Cell Dataset::OtherCellOf(const Field& field) const {
    switch (field.kind_) {
        case FieldKind::Data:
            if (field.column_ < 0) return Cell();
            if (IsEditing()) return bufferCells_[static_cast<std::size_t>(field.column_)];
            if (row_ < 0 || state_ == DatasetState::Inactive) return Cell();
            return DataCell(field.column_);
        case FieldKind::Calculated: {
            EnsureCalculated();
            const CellValue& v = calcValues_[static_cast<std::size_t>(field.column_)];
            if (!v) return Cell();
            return Cell{v->constData(), static_cast<std::uint32_t>(v->size()), false};
        }
        case FieldKind::Lookup:
            return LookupCell(field);
    }
    return Cell();
}

void Dataset::EnsureCalculated() const {
    if (!calcDirty_ || calculating_) return;
    int slotCount = 0;
    for (const auto& f : ownedFields_) slotCount += f->kind_ == FieldKind::Calculated;
    calcValues_.assign(static_cast<std::size_t>(slotCount), std::nullopt);
    calcDirty_ = false;
    if (!IsActive() || (row_ < 0 && !IsEditing())) return;
    calculating_ = true;
    onCalcFields_.Fire(const_cast<Dataset&>(*this));
    calculating_ = false;
}

Field* Dataset::FieldByName(const QString& name) const { return byName_.value(name.toLower()); }

QStringList Dataset::FieldNames() const {
    QStringList names;
    for (Field* f : fields_) names << f->name_;
    return names;
}

Field& Dataset::AddCalculatedField(const QString& name, FieldType type) {
    int slot = 0;
    for (const auto& f : ownedFields_) slot += f->kind_ == FieldKind::Calculated;
    ownedFields_.push_back(std::make_unique<Field>(*this, name, FieldKind::Calculated, type));
    Field* f = ownedFields_.back().get();
    f->column_ = slot;
    fields_.push_back(f);
    if (!byName_.contains(name.toLower())) byName_.insert(name.toLower(), f);
    calcDirty_ = true;
    return *f;
}

Field& Dataset::AddLookupField(const QString& name, const QString& keyField, Dataset& lookup,
                               const QString& lookupKey, const QString& resultColumn) {
    ownedFields_.push_back(std::make_unique<Field>(*this, name, FieldKind::Lookup, FieldType::String));
    Field* f = ownedFields_.back().get();
    f->keyField_ = keyField;
    f->lookupDataset_ = &lookup;
    f->lookupKey_ = lookupKey;
    f->lookupResult_ = resultColumn;
    fields_.push_back(f);
    if (!byName_.contains(name.toLower())) byName_.insert(name.toLower(), f);
    return *f;
}

namespace {
Field* Named(const Dataset& ds, const QString& name) {
    Field* f = ds.FieldByName(name);
    return f;
}
}  // namespace

#define DATASET_GETTER(Type, Method, Default)                              \
    Type Dataset::Method(const QString& name) const {                     \
        if (Field* f = Named(*this, name)) return f->Method();             \
        lastError_ = QStringLiteral("Ukjent felt: ") + name;               \
        return Default;                                                    \
    }
DATASET_GETTER(QString, AsString, QString())
DATASET_GETTER(qint64, AsInteger, 0)
DATASET_GETTER(double, AsFloat, 0.0)
DATASET_GETTER(bool, AsBool, false)
DATASET_GETTER(QDate, AsDate, QDate())
DATASET_GETTER(QDateTime, AsDateTime, QDateTime())
DATASET_GETTER(bool, IsNull, true)
#undef DATASET_GETTER

#define DATASET_SETTER(Method, Arg)                                        \
    bool Dataset::Method(const QString& name, Arg value) {                 \
        if (Field* f = Named(*this, name)) return f->Method(value);        \
        lastError_ = QStringLiteral("Ukjent felt: ") + name;               \
        return false;                                                      \
    }
DATASET_SETTER(SetString, const QString&)
DATASET_SETTER(SetInteger, qint64)
DATASET_SETTER(SetFloat, double)
DATASET_SETTER(SetBool, bool)
DATASET_SETTER(SetDate, const QDate&)
DATASET_SETTER(SetDateTime, const QDateTime&)
#undef DATASET_SETTER

bool Dataset::SetNull(const QString& name) {
    if (Field* f = Named(*this, name)) return f->SetNull();
    lastError_ = QStringLiteral("Ukjent felt: ") + name;
    return false;
}

QString Dataset::TextAt(int row, const QString& column) const {
    Field* f = FieldByName(column);
    if (f && f->kind_ == FieldKind::Lookup && row >= 0) {
        // A looked-up value by the row's own key.
        Field* key = FieldByName(f->keyField_);
        if (!key || key->kind_ != FieldKind::Data || key->column_ < 0) return QString();
        EnsureRow(row);
        if (row >= FetchedCount()) return QString();
        const Cell k = RowStore::CellAt(store_.Row(static_cast<std::size_t>(row)), static_cast<unsigned>(key->column_));
        const Cell c = LookupCellOfKey(*f, k);
        return c.null ? QString() : QString::fromUtf8(c.data, static_cast<qsizetype>(c.size));
    }
    if (!f || f->kind_ != FieldKind::Data || f->column_ < 0 || row < 0) return QString();
    EnsureRow(row);
    if (row >= FetchedCount()) return QString();
    const Cell c = RowStore::CellAt(store_.Row(static_cast<std::size_t>(row)), static_cast<unsigned>(f->column_));
    return c.null ? QString() : QString::fromUtf8(c.data, static_cast<qsizetype>(c.size));
}
