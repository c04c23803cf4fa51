#pragma once

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

// One value of a row as stored: bytes of the server's text form, or NULL.
struct Cell {
    const char* data = nullptr;
    std::uint32_t size = 0;
    bool null = true;
};

// A value being edited: the server's text form, std::nullopt for NULL.
using CellValue = std::optional<QByteArray>;

// Rows of a result kept as the server sends them: each row is one run of bytes in a large
// block, every value a length prefix (1 byte below 251; NULL is one byte) and its text.
// Rows are appended in blocks, so a reader can add rows later as they are fetched.
class RowStore {
public:
    void Clear();
    std::size_t Size() const { return rows_.size(); }
    const char* Row(std::size_t i) const { return rows_[i]; }

    // Append a row in the client library's form (values[i] null for NULL).
    void Append(const char* const* values, const unsigned long* lengths, unsigned count);
    void Insert(std::size_t pos, const std::vector<CellValue>& values);
    void Replace(std::size_t pos, const std::vector<CellValue>& values);
    void Remove(std::size_t pos);

    // Bytes held for rows and the row index (the dataset's share of memory).
    std::size_t BytesHeld() const;

    // The cells of one stored row.
    static void Decode(const char* row, unsigned count, Cell* out);
    static Cell CellAt(const char* row, unsigned column);

private:
    char* Reserve(std::size_t bytes);
    const char* Encode(const std::vector<CellValue>& values);

    static constexpr std::size_t kBlockSize = 1 << 20;
    std::vector<std::unique_ptr<char[]>> blocks_;
    std::size_t heldBlocks_ = 0;  // bytes of every block
    char* tail_ = nullptr;        // free space of the last ordinary block
    std::size_t tailFree_ = 0;
    std::vector<const char*> rows_;
};
