// Reading the dataset's rows: whole, streamed while the server sends them (queries), or in
// pages (tables), each page a statement of its own read to its end at once.
#include <mysql.h>
#include <mysqld_error.h>

#include "db/Dataset.h"
#include "db/PageOrder.h"

#include <algorithm>

namespace {

constexpr std::size_t kStreamBlock = 256;
// The most rows a keyset page grows to when the reader asks for fewer.
constexpr std::size_t kLargestKeysetPage = 4096;

// Columns whose order the server's comparison operators follow exactly, so that a page can
// start after the last row by its values. Left out: floating point (the text may not give
// the stored value back), enums and sets (sorted by number, compared as text), long texts
// (sorted by their first bytes only), timestamps (shown in the session's time zone) and
// anything else unusual.
bool KeysetColumn(const MYSQL_FIELD& f) {
    if (f.flags & (ENUM_FLAG | SET_FLAG)) return false;
    switch (f.type) {
        case MYSQL_TYPE_TINY:
        case MYSQL_TYPE_SHORT:
        case MYSQL_TYPE_LONG:
        case MYSQL_TYPE_INT24:
        case MYSQL_TYPE_LONGLONG:
        case MYSQL_TYPE_YEAR:
        case MYSQL_TYPE_DECIMAL:
        case MYSQL_TYPE_NEWDECIMAL:
        case MYSQL_TYPE_DATE:
        case MYSQL_TYPE_NEWDATE:
        case MYSQL_TYPE_DATETIME:
        case MYSQL_TYPE_DATETIME2:
        case MYSQL_TYPE_TIME:
        case MYSQL_TYPE_TIME2:
            return true;
        case MYSQL_TYPE_VARCHAR:
        case MYSQL_TYPE_VAR_STRING:
        case MYSQL_TYPE_STRING:
            return f.length <= 1024;
        default:
            return false;
    }
}

bool NumericColumn(const MYSQL_FIELD& f) {
    switch (f.type) {
        case MYSQL_TYPE_TINY:
        case MYSQL_TYPE_SHORT:
        case MYSQL_TYPE_LONG:
        case MYSQL_TYPE_INT24:
        case MYSQL_TYPE_LONGLONG:
        case MYSQL_TYPE_YEAR:
        case MYSQL_TYPE_DECIMAL:
        case MYSQL_TYPE_NEWDECIMAL:
            return true;
        default:
            return false;
    }
}

QString FieldText(const char* text, unsigned length) {
    return QString::fromUtf8(text, static_cast<qsizetype>(length));
}

// Whether the result has an `id` column that is the table's key or unique.
bool UniqueId(MYSQL_RES* res) {
    MYSQL_FIELD* f = mysql_fetch_fields(res);
    for (unsigned i = 0; i < mysql_num_fields(res); ++i) {
        if (FieldText(f[i].org_name, f[i].org_name_length).compare(QLatin1String("id"), Qt::CaseInsensitive) == 0)
            return (f[i].flags & (PRI_KEY_FLAG | UNIQUE_KEY_FLAG)) != 0;
    }
    return false;
}

// Whether the order is total at this term: `id`, or a unique column.
bool Total(const OrderTerm& term, const QStringList& unique) {
    return term.column.compare(QLatin1String("id"), Qt::CaseInsensitive) == 0 ||
           unique.contains(term.column, Qt::CaseInsensitive);
}

// The order with `id` as the last tie-break (in the direction of the last term, so that an
// index on the order's columns serves it), unless a term is `id` or a unique column already.
QString OrderWithId(const QString& order, const std::vector<OrderTerm>& terms, bool parsed,
                    const QStringList& unique) {
    bool total = false;
    for (const OrderTerm& t : terms) total = total || Total(t, unique);
    const QString text = order.trimmed();
    if (total) return text;
    const bool descending = parsed && !terms.empty() && terms.back().descending;
    const QString id = descending ? QStringLiteral("`id` DESC") : QStringLiteral("`id`");
    return text.isEmpty() ? id : text + QStringLiteral(", ") + id;
}

}  // namespace

QString Dataset::PageSql(const QString&, const QString&, std::size_t, std::size_t) const { return QString(); }

QString Dataset::OpenSql() const {
    if (pagingFailed_) return SelectSql();
    std::vector<OrderTerm> terms;
    const QString order = PageOrder();
    const bool parsed = ParseOrder(order, terms);
    const QString sql = PageSql(QString(), OrderWithId(order, terms, parsed, parsed ? UniqueColumns() : QStringList()),
                                kFirstPage, 0);
    return sql.isEmpty() ? SelectSql() : sql;
}

// Reads the rows of SelectSql() into a new store; the old rows stay until it succeeds.
// A table reads its first `pageRows` rows; a query streaming reads the first rows now and
// leaves the result open.
bool Dataset::Fetch(bool stream, std::size_t pageRows) {
    DiscardStream();
    PageState previous = std::move(paging_);
    paging_ = PageState();
    bool ok = false;
    if (!pagingFailed_ && !PageSql(QString(), QStringLiteral("`id`"), 1, 0).isEmpty()) {
        bool retryWhole = false;
        ok = FetchPaged(pageRows, retryWhole);
        // No `id` to page by: the table is read whole.
        if (!ok && retryWhole && FetchAllAtOnce(false)) {
            pagingFailed_ = true;
            ok = true;
        }
    } else {
        ok = FetchAllAtOnce(stream);
    }
    // A failure keeps the old rows, and with them what is left to read.
    if (!ok && IsActive()) paging_ = std::move(previous);
    return ok;
}

// Reads every row of a result and the results after it. False with the error of a failure.
bool Dataset::ReadResult(MYSQL* m, MYSQL_RES* res, RowStore& rows, unsigned& errnum, QString& error) const {
    errnum = 0;
    if (res) {
        while (MYSQL_ROW row = mysql_fetch_row(res)) rows.Append(row, mysql_fetch_lengths(res), columns_);
        errnum = mysql_errno(m);
        if (errnum) error = QString::fromUtf8(mysql_error(m));
        mysql_free_result(res);
    }
    // Further results of a text with several statements are read and dropped.
    while (!errnum && mysql_more_results(m)) {
        if (mysql_next_result(m) > 0) {
            errnum = mysql_errno(m);
            error = QString::fromUtf8(mysql_error(m));
            break;
        }
        if (MYSQL_RES* extra = mysql_store_result(m)) mysql_free_result(extra);
    }
    return errnum == 0;
}

bool Dataset::FetchAllAtOnce(bool stream) {
    const QByteArray sql = SelectSql().toUtf8();
    MYSQL* m = connection_->Acquire();
    if (!m) {
        lastError_ = connection_->LastError();
        return false;
    }
    if (mysql_real_query(m, sql.constData(), static_cast<unsigned long>(sql.size())) != 0) {
        connection_->NoteFailure();
        lastError_ = connection_->LastError();
        return false;
    }
    MYSQL_RES* res = mysql_use_result(m);
    if (!res && mysql_field_count(m) != 0) {
        connection_->NoteFailure();
        lastError_ = connection_->LastError();
        return false;
    }
    const unsigned oldColumns = columns_;
    const bool wasActive = IsActive();
    BindFields(res);
    indexes_.clear();
    decodedRow_ = -1;
    decodedPtr_ = nullptr;
    lastError_.clear();
    if (stream && res) {
        store_.Clear();
        streamResult_ = res;
        streamHandle_ = m;
        connection_->SetPendingRead([this] { StreamMore(kAllRows); });
        StreamMore(kStreamBlock);
        return lastError_.isEmpty();
    }
    RowStore rows;
    unsigned errnum = 0;
    QString error;
    if (!ReadResult(m, res, rows, errnum, error)) {
        connection_->NoteError(errnum, error);
        lastError_ = connection_->LastError();
        if (wasActive && oldColumns != columns_) Close();  // old rows no longer fit the fields
        return false;
    }
    connection_->NoteSuccess();
    store_ = std::move(rows);
    return true;
}

// The first `limit` rows in the order with the `id` tie-break. `retryWhole` tells a table
// without `id` (read it whole instead).
bool Dataset::FetchPaged(std::size_t limit, bool& retryWhole) {
    std::vector<OrderTerm> terms;
    const QString order = PageOrder();
    const bool parsed = ParseOrder(order, terms);
    const QStringList unique = parsed && !terms.empty() ? UniqueColumns() : QStringList();
    const QString orderBy = OrderWithId(order, terms, parsed, unique);
    const QByteArray sql = PageSql(QString(), orderBy, limit, 0).toUtf8();
    MYSQL* m = connection_->Acquire();
    if (!m) {
        lastError_ = connection_->LastError();
        return false;
    }
    if (mysql_real_query(m, sql.constData(), static_cast<unsigned long>(sql.size())) != 0) {
        retryWhole = mysql_errno(m) == ER_BAD_FIELD_ERROR;
        connection_->NoteFailure();
        lastError_ = connection_->LastError();
        return false;
    }
    MYSQL_RES* res = mysql_use_result(m);
    if (!res) {
        connection_->NoteFailure();
        lastError_ = connection_->LastError();
        return false;
    }
    if (!UniqueId(res)) {
        // Pages need a unique `id` to follow.
        mysql_free_result(res);
        RowStore none;
        unsigned errnum = 0;
        QString error;
        ReadResult(m, nullptr, none, errnum, error);
        retryWhole = true;
        return false;
    }
    const unsigned oldColumns = columns_;
    const bool wasActive = IsActive();
    BindFields(res);
    indexes_.clear();
    decodedRow_ = -1;
    decodedPtr_ = nullptr;
    lastError_.clear();
    paging_.orderBy = orderBy;
    PlanPages(res, parsed ? &terms : nullptr, unique);
    RowStore rows;
    unsigned errnum = 0;
    QString error;
    if (!ReadResult(m, res, rows, errnum, error)) {
        connection_->NoteError(errnum, error);
        lastError_ = connection_->LastError();
        paging_ = PageState();
        if (wasActive && oldColumns != columns_) Close();
        return false;
    }
    connection_->NoteSuccess();
    store_ = std::move(rows);
    paging_.on = true;
    paging_.serverRows = store_.Size();
    paging_.more = limit != kAllRows && store_.Size() >= limit;
    paging_.nextSize = std::max(2 * kFirstPage, store_.Size());
    if (store_.Size()) NoteLastServerRow(store_.Row(store_.Size() - 1));
    return true;
}

// Which way later pages go: by the values of the order's columns and `id` when every term
// is a plain column that compares as it sorts, else by OFFSET (`terms` null: not plain).
void Dataset::PlanPages(MYSQL_RES* res, const std::vector<OrderTerm>* terms, const QStringList& unique) const {
    MYSQL_FIELD* f = mysql_fetch_fields(res);
    const unsigned n = mysql_num_fields(res);
    paging_.idColumn = -1;
    for (unsigned i = 0; i < n && paging_.idColumn < 0; ++i) {
        if (FieldText(f[i].org_name, f[i].org_name_length).compare(QLatin1String("id"), Qt::CaseInsensitive) == 0)
            paging_.idColumn = static_cast<int>(i);
    }
    paging_.keyset = terms && paging_.idColumn >= 0 && KeysetColumn(f[paging_.idColumn]);
    if (!paging_.keyset) return;
    auto add = [&](int column, bool descending, const QString& name) {
        paging_.keyColumns.push_back(column);
        paging_.keyDescending.push_back(descending);
        paging_.keyNumeric.push_back(NumericColumn(f[column]));
        paging_.keyNames.push_back(Connection::QuoteIdentifier(name).toUtf8());
    };
    bool total = false;
    for (const OrderTerm& t : *terms) {
        int column = -1;
        for (unsigned i = 0; i < n && column < 0; ++i) {
            const bool sameTable = t.table.isEmpty() ||
                                   FieldText(f[i].table, f[i].table_length).compare(t.table, Qt::CaseInsensitive) == 0 ||
                                   FieldText(f[i].org_table, f[i].org_table_length).compare(t.table, Qt::CaseInsensitive) == 0;
            if (sameTable && FieldText(f[i].org_name, f[i].org_name_length).compare(t.column, Qt::CaseInsensitive) == 0)
                column = static_cast<int>(i);
        }
        if (column < 0 || !KeysetColumn(f[column])) {
            paging_.keyset = false;
            paging_.keyColumns.clear();
            paging_.keyDescending.clear();
            paging_.keyNumeric.clear();
            paging_.keyNames.clear();
            return;
        }
        add(column, t.descending, t.column);
        // The terms after a unique one never decide.
        total = column == paging_.idColumn || Total(t, unique);
        if (total) break;
    }
    if (!total) add(paging_.idColumn, !terms->empty() && terms->back().descending, QStringLiteral("id"));
}

void Dataset::NoteLastServerRow(const char* row) const {
    if (!paging_.keyset) return;
    paging_.lastKey.resize(paging_.keyColumns.size());
    for (std::size_t k = 0; k < paging_.keyColumns.size(); ++k) {
        const Cell c = RowStore::CellAt(row, static_cast<unsigned>(paging_.keyColumns[k]));
        if (c.null) paging_.lastKey[k].reset();
        else paging_.lastKey[k] = QByteArray(c.data, static_cast<qsizetype>(c.size));
    }
}

QByteArray Dataset::NextPageCondition() const {
    std::vector<KeyPart> parts(paging_.keyColumns.size());
    for (std::size_t k = 0; k < parts.size(); ++k) {
        parts[k].name = paging_.keyNames[k];
        parts[k].descending = paging_.keyDescending[k];
        parts[k].numeric = paging_.keyNumeric[k];
        parts[k].value = paging_.lastKey[k];
    }
    return KeysetCondition(parts, *connection_);
}

bool Dataset::FetchRows(std::size_t rows) const {
    if (streamResult_) {
        const std::size_t before = store_.Size();
        StreamMore(rows);
        return store_.Size() > before;
    }
    return FetchPage(rows);
}

bool Dataset::FetchMore(int rows) {
    if (!IsActive() || rows <= 0) return false;
    return FetchRows(static_cast<std::size_t>(rows));
}

bool Dataset::AllFetched() const { return !streamResult_ && !paging_.more; }

void Dataset::EnsureRow(int row) const {
    while (row >= static_cast<int>(store_.Size()) && FetchRows(kStreamBlock)) {
    }
}

// The next page: at least `rows` rows, more once a walk has gone past several pages (each
// page twice the one before, keyset pages up to kLargestKeysetPage rows), so that reading a
// whole table sequentially costs few statements. Rows posted here that the page holds again
// are left out.
bool Dataset::FetchPage(std::size_t rows) const {
    if (!paging_.more || fetching_ || !IsActive()) return false;
    if (!paging_.keyset && paging_.shifted) return FetchRestAfterShift();
    fetching_ = true;
    const std::size_t before = store_.Size();
    while (paging_.more && store_.Size() == before) {
        const std::size_t limit = rows == kAllRows ? kAllRows : std::max(rows, paging_.nextSize);
        const QString condition = paging_.keyset ? QString::fromUtf8(NextPageCondition()) : QString();
        const QByteArray sql =
            PageSql(condition, paging_.orderBy, limit, paging_.keyset ? 0 : paging_.serverRows).toUtf8();
        MYSQL* m = connection_->Acquire();
        if (!m) {
            lastError_ = connection_->LastError();
            break;
        }
        if (mysql_real_query(m, sql.constData(), static_cast<unsigned long>(sql.size())) != 0) {
            connection_->NoteFailure();
            lastError_ = connection_->LastError();
            break;
        }
        MYSQL_RES* res = mysql_use_result(m);
        if (!res) {
            connection_->NoteFailure();
            lastError_ = connection_->LastError();
            break;
        }
        std::size_t count = 0;
        const char* lastRow = nullptr;
        std::vector<CellValue> skippedLast;
        bool lastSkipped = false;
        const bool skipLocal = !paging_.localIds.isEmpty();
        const auto idColumn = static_cast<unsigned>(paging_.idColumn);
        while (MYSQL_ROW row = mysql_fetch_row(res)) {
            const unsigned long* lengths = mysql_fetch_lengths(res);
            ++count;
            if (skipLocal && row[idColumn] &&
                paging_.localIds.contains(QByteArray::fromRawData(row[idColumn], static_cast<qsizetype>(lengths[idColumn])))) {
                // Held already (posted here): its page values still say where the next page starts.
                lastSkipped = true;
                skippedLast.assign(columns_, std::nullopt);
                for (unsigned c = 0; c < columns_; ++c)
                    if (row[c]) skippedLast[c] = QByteArray(row[c], static_cast<qsizetype>(lengths[c]));
                continue;
            }
            store_.Append(row, lengths, columns_);
            lastRow = store_.Row(store_.Size() - 1);
            lastSkipped = false;
        }
        unsigned errnum = mysql_errno(m);
        QString error = errnum ? QString::fromUtf8(mysql_error(m)) : QString();
        mysql_free_result(res);
        RowStore none;
        if (!errnum) ReadResult(m, nullptr, none, errnum, error);
        paging_.serverRows += count;
        if (lastSkipped) {
            RowStore one;
            one.Insert(0, skippedLast);
            NoteLastServerRow(one.Row(0));
        } else if (lastRow) {
            NoteLastServerRow(lastRow);
        }
        if (errnum) {
            // The rows read stay; a later move tries the rest again.
            connection_->NoteError(errnum, error);
            lastError_ = connection_->LastError();
            break;
        }
        connection_->NoteSuccess();
        paging_.more = limit != kAllRows && count >= limit;
        // OFFSET pages double, as each reads past every row before it. Keyset pages start at
        // their place by the index, so they stop growing at a size read in a moment: a grid
        // scrolling on never waits long for one.
        const std::size_t grown = std::max(paging_.nextSize, std::min(limit, kAllRows / 4) * 2);
        paging_.nextSize = paging_.keyset ? std::max(std::min(grown, kLargestKeysetPage), 2 * kFirstPage) : grown;
    }
    fetching_ = false;
    const bool added = store_.Size() > before;
    if (added) afterFetch_.Fire(const_cast<Dataset&>(*this));
    return added;
}

// OFFSET paging after rows were added, removed or moved here: the rest is read whole (from
// the start), leaving out the rows already held.
bool Dataset::FetchRestAfterShift() const {
    QSet<QByteArray> held;
    held.reserve(static_cast<qsizetype>(store_.Size()));
    for (std::size_t r = 0; r < store_.Size(); ++r) {
        const Cell c = RowStore::CellAt(store_.Row(r), static_cast<unsigned>(paging_.idColumn));
        if (!c.null) held.insert(QByteArray(c.data, static_cast<qsizetype>(c.size)));
    }
    const QByteArray sql = PageSql(QString(), paging_.orderBy, kAllRows, 0).toUtf8();
    MYSQL* m = connection_->Acquire();
    if (!m) {
        lastError_ = connection_->LastError();
        return false;
    }
    if (mysql_real_query(m, sql.constData(), static_cast<unsigned long>(sql.size())) != 0) {
        connection_->NoteFailure();
        lastError_ = connection_->LastError();
        return false;
    }
    MYSQL_RES* res = mysql_use_result(m);
    if (!res) {
        connection_->NoteFailure();
        lastError_ = connection_->LastError();
        return false;
    }
    fetching_ = true;
    const std::size_t before = store_.Size();
    const auto idColumn = static_cast<unsigned>(paging_.idColumn);
    while (MYSQL_ROW row = mysql_fetch_row(res)) {
        const unsigned long* lengths = mysql_fetch_lengths(res);
        if (row[idColumn] &&
            held.contains(QByteArray::fromRawData(row[idColumn], static_cast<qsizetype>(lengths[idColumn]))))
            continue;
        store_.Append(row, lengths, columns_);
    }
    unsigned errnum = mysql_errno(m);
    QString error = errnum ? QString::fromUtf8(mysql_error(m)) : QString();
    mysql_free_result(res);
    RowStore none;
    if (!errnum) ReadResult(m, nullptr, none, errnum, error);
    fetching_ = false;
    if (errnum) {
        // Rows read so far stay; the next try reads the rest again and leaves them out.
        connection_->NoteError(errnum, error);
        lastError_ = connection_->LastError();
    } else {
        connection_->NoteSuccess();
        paging_.more = false;
    }
    const bool added = store_.Size() > before;
    if (added) afterFetch_.Fire(const_cast<Dataset&>(*this));
    return added;
}

// A row was inserted, posted or deleted here while rows remain on the server: a later page
// must not bring it again, and OFFSETs no longer hold.
void Dataset::NoteLocalChange(const QByteArray& id) {
    if (!paging_.more) return;
    paging_.shifted = true;
    if (paging_.keyset && !id.isEmpty()) paging_.localIds.insert(id);
}

// The first held row from `from` on whose `id` is the given one, -1 when none.
int Dataset::HeldRowOfId(const QByteArray& id, int from) const {
    if (paging_.idColumn < 0) return -1;
    const auto column = static_cast<unsigned>(paging_.idColumn);
    for (std::size_t r = static_cast<std::size_t>(std::max(from, 0)); r < store_.Size(); ++r) {
        const Cell c = RowStore::CellAt(store_.Row(r), column);
        if (!c.null && c.size == static_cast<std::uint32_t>(id.size()) && std::equal(c.data, c.data + c.size, id.constData()))
            return static_cast<int>(r);
    }
    return -1;
}

int Dataset::ServerRecordCount() const {
    if (AllFetched()) return static_cast<int>(store_.Size());
    const QString sql = CountSql();
    if (sql.isEmpty()) return RecordCount();
    const QueryResult r = connection_->Query(sql);
    if (!r.ok()) {
        lastError_ = r.Error();
        return -1;
    }
    return r.Scalar().toInt();
}

void Dataset::StreamMore(std::size_t count) const {
    if (!streamResult_) return;
    for (std::size_t i = 0; i < count; ++i) {
        MYSQL_ROW row = mysql_fetch_row(streamResult_);
        if (!row) {
            EndStream();
            return;
        }
        store_.Append(row, mysql_fetch_lengths(streamResult_), columns_);
    }
}

// The last row was read: release the result and report a failure that ended it.
void Dataset::EndStream() const {
    MYSQL* m = streamHandle_;
    unsigned errnum = mysql_errno(m);
    QString error = errnum ? QString::fromUtf8(mysql_error(m)) : QString();
    mysql_free_result(streamResult_);
    streamResult_ = nullptr;
    streamHandle_ = nullptr;
    connection_->ClearPendingRead();
    while (!errnum && mysql_more_results(m)) {
        if (mysql_next_result(m) > 0) {
            errnum = mysql_errno(m);
            error = QString::fromUtf8(mysql_error(m));
            break;
        }
        if (MYSQL_RES* extra = mysql_store_result(m)) mysql_free_result(extra);
    }
    if (errnum) {
        connection_->NoteError(errnum, error);
        lastError_ = connection_->LastError();
    }
}

// Drops the rest of a result being read (closing or reading the rows again).
void Dataset::DiscardStream() {
    if (!streamResult_) return;
    MYSQL* m = streamHandle_;
    mysql_free_result(streamResult_);
    streamResult_ = nullptr;
    streamHandle_ = nullptr;
    connection_->ClearPendingRead();
    while (mysql_more_results(m) && mysql_next_result(m) == 0) {
        if (MYSQL_RES* extra = mysql_store_result(m)) mysql_free_result(extra);
    }
}

int Dataset::RecordCount() const {
    FinishFetch();
    return static_cast<int>(store_.Size());
}
