#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

class Connection;
struct st_mysql;
struct st_mysql_res;

// The rows of one SELECT read one at a time while the server sends them, for work that must
// not hold a whole table in memory (the backups). Values stay as the server's bytes.
//
// While a stream is open the connection is busy with it: any other use of the connection
// first reads the rest of the rows and drops them, which ends the stream.
class RowStream {
  public:
    // How a column's values are written back as SQL literals.
    enum class Kind { Number, Binary, Text };

    explicit RowStream(Connection& connection);
    ~RowStream();
    RowStream(const RowStream&) = delete;
    RowStream& operator=(const RowStream&) = delete;

    // Sends the statement and starts reading. False with Error() when it fails.
    bool Open(const QString& sql);
    // The next row; false at the end or on a failure (Failed() tells which).
    bool Next();
    // Ends the stream early; the rest of the rows are dropped.
    void Close();

    bool Failed() const { return !error_.isEmpty(); }
    const QString& Error() const { return error_; }

    int ColumnCount() const { return static_cast<int>(kinds_.size()); }
    const QStringList& Columns() const { return columns_; }
    Kind ColumnKind(int column) const { return kinds_[static_cast<std::size_t>(column)]; }

    // The current row's value: null for SQL NULL; data and size as the server sent them.
    bool IsNull(int column) const;
    const char* Data(int column) const;
    unsigned long Size(int column) const;

  private:
    void Release(bool keepError);

    Connection& connection_;
    st_mysql* handle_ = nullptr;
    st_mysql_res* result_ = nullptr;
    char** row_ = nullptr;
    unsigned long* lengths_ = nullptr;
    QStringList columns_;
    std::vector<Kind> kinds_;
    QString error_;
};
