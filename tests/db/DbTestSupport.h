#pragma once
// Connection parameters for the private test server and a schema of one test.
#include <QString>

#include "QStringPrint.h"
#include "SchemaParams.h"

namespace dbtest {

inline ConnectParams SocketParams(const testsupport::TestDatabase& db) { return testsupport::SchemaParams(db); }

inline ConnectParams TcpParams(const testsupport::TestDatabase& db) {
    ConnectParams p = SocketParams(db);
    p.socket.clear();
    p.server = QString::fromStdString(db.server().host);
    p.port = db.server().port;
    return p;
}

}  // namespace dbtest

