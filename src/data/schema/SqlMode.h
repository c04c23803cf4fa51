#pragma once

#include <QString>

class Connection;

namespace schema {

// Allows zero dates for the session while the schema is created or upgraded:
// the documented timestamp and datetime defaults are the zero date, which a
// server in NO_ZERO_DATE or NO_ZERO_IN_DATE mode refuses in DDL. MariaDB's
// default mode allows them, so there this changes nothing. The session's
// mode is restored when the object goes away.
class ZeroDateMode {
  public:
    explicit ZeroDateMode(Connection& db);
    ~ZeroDateMode();
    ZeroDateMode(const ZeroDateMode&) = delete;
    ZeroDateMode& operator=(const ZeroDateMode&) = delete;

    // False when the session's mode could not be read or set (LastError of the connection).
    bool ok() const { return ok_; }

  private:
    Connection& db_;
    QString saved_;
    bool changed_ = false;
    bool ok_ = false;
};

// The mode without the two zero-date flags ("A,NO_ZERO_DATE,B" gives "A,B").
QString WithoutZeroDateFlags(const QString& sqlMode);

}  // namespace schema
