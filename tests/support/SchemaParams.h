#pragma once
// The connection parameters that reach a test's own schema through the server's socket.
#include <QString>

#include "TestDatabase.h"
#include "db/Connection.h"

namespace testsupport {

inline ConnectParams SchemaParams(const TestDatabase& db) {
    ConnectParams p;
    p.socket = QString::fromStdString(db.server().socket);
    p.user = QString::fromStdString(db.server().user);
    p.password = QString::fromStdString(db.server().password);
    p.database = QString::fromStdString(db.schema());
    return p;
}

}  // namespace testsupport
