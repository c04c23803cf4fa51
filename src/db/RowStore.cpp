#include "db/RowStore.h"

#include <cstring>

namespace {

std::size_t PrefixSize(std::size_t length) {
    if (length < 251) return 1;
    if (length < (1u << 16)) return 3;
    if (length < (1u << 24)) return 4;
    return 9;
}

char* PutPrefix(char* p, std::size_t length) {
    if (length < 251) {
        *p++ = static_cast<char>(length);
    } else if (length < (1u << 16)) {
        *p++ = static_cast<char>(252);
        for (int i = 0; i < 2; ++i) *p++ = static_cast<char>(length >> (8 * i));
    } else if (length < (1u << 24)) {
        *p++ = static_cast<char>(253);
        for (int i = 0; i < 3; ++i) *p++ = static_cast<char>(length >> (8 * i));
    } else {
        *p++ = static_cast<char>(254);
        for (int i = 0; i < 8; ++i) *p++ = static_cast<char>(static_cast<std::uint64_t>(length) >> (8 * i));
    }
    return p;
}

constexpr char kNull = static_cast<char>(251);

inline const char* GetCell(const char* p, Cell& cell) {
    const auto b = static_cast<unsigned char>(*p++);
    std::size_t length;
    if (b < 251) {
        length = b;
    } else if (b == 251) {
        cell.data = nullptr;
        cell.size = 0;
        cell.null = true;
        return p;
    } else {
        const int n = b == 252 ? 2 : b == 253 ? 3 : 8;
        length = 0;
        for (int i = 0; i < n; ++i)
            length |= static_cast<std::size_t>(static_cast<unsigned char>(p[i])) << (8 * i);
        p += n;
    }
    cell.data = p;
    cell.size = static_cast<std::uint32_t>(length);
    cell.null = false;
    return p + length;
}

}  // namespace

void RowStore::Clear() {
    blocks_.clear();
    heldBlocks_ = 0;
    tail_ = nullptr;
    tailFree_ = 0;
    rows_.clear();
    rows_.shrink_to_fit();
}

char* RowStore::Reserve(std::size_t bytes) {
    if (bytes > kBlockSize / 4) {
        // A large row gets a block of its own; the tail block stays in use.
        blocks_.emplace_back(new char[bytes]);
        heldBlocks_ += bytes;
        return blocks_.back().get();
    }
    if (bytes > tailFree_) {
        blocks_.emplace_back(new char[kBlockSize]);
        heldBlocks_ += kBlockSize;
        tail_ = blocks_.back().get();
        tailFree_ = kBlockSize;
    }
    char* p = tail_;
    tail_ += bytes;
    tailFree_ -= bytes;
    return p;
}

void RowStore::Append(const char* const* values, const unsigned long* lengths, unsigned count) {
    std::size_t bytes = 0;
    for (unsigned i = 0; i < count; ++i) bytes += values[i] ? PrefixSize(lengths[i]) + lengths[i] : 1;
    char* start = Reserve(bytes);
    char* p = start;
    for (unsigned i = 0; i < count; ++i) {
        if (!values[i]) {
            *p++ = kNull;
            continue;
        }
        p = PutPrefix(p, lengths[i]);
        std::memcpy(p, values[i], lengths[i]);
        p += lengths[i];
    }
    rows_.push_back(start);
}

const char* RowStore::Encode(const std::vector<CellValue>& values) {
    std::size_t bytes = 0;
    for (const CellValue& v : values) bytes += v ? PrefixSize(static_cast<std::size_t>(v->size())) + static_cast<std::size_t>(v->size()) : 1;
    char* start = Reserve(bytes == 0 ? 1 : bytes);
    char* p = start;
    for (const CellValue& v : values) {
        if (!v) {
            *p++ = kNull;
            continue;
        }
        const auto n = static_cast<std::size_t>(v->size());
        p = PutPrefix(p, n);
        if (n) std::memcpy(p, v->constData(), n);
        p += n;
    }
    return start;
}

void RowStore::Insert(std::size_t pos, const std::vector<CellValue>& values) {
    const char* row = Encode(values);
    rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(pos), row);
}

// The old bytes stay in their block until the store is cleared (a refresh compacts).
void RowStore::Replace(std::size_t pos, const std::vector<CellValue>& values) { rows_[pos] = Encode(values); }

void RowStore::Remove(std::size_t pos) { rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(pos)); }

std::size_t RowStore::BytesHeld() const {
    return heldBlocks_ + rows_.capacity() * sizeof(const char*) +
           blocks_.capacity() * sizeof(blocks_[0]);
}

void RowStore::Decode(const char* row, unsigned count, Cell* out) {
    const char* p = row;
    for (unsigned i = 0; i < count; ++i) p = GetCell(p, out[i]);
}

Cell RowStore::CellAt(const char* row, unsigned column) {
    Cell cell;
    const char* p = row;
    for (unsigned i = 0; i <= column; ++i) p = GetCell(p, cell);
    return cell;
}
