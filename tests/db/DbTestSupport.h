#pragma once
#include "QStringPrint.h"
// Connection parameters for the private test server and a schema of one test.
#include <QString>

#include <ostream>

#include "TestDatabase.h"
#include "db/Connection.h"

namespace dbtest {

inline ConnectParams SocketParams(const testsupport::TestDatabase& db) {
    ConnectParams p;
    p.socket = QString::fromStdString(db.server().socket);
    p.user = QString::fromStdString(db.server().user);
    p.password = QString::fromStdString(db.server().password);
    p.database = QString::fromStdString(db.schema());
    return p;
}

inline ConnectParams TcpParams(const testsupport::TestDatabase& db) {
    ConnectParams p = SocketParams(db);
    p.socket.clear();
    p.server = QString::fromStdString(db.server().host);
    p.port = db.server().port;
    return p;
}

}  // namespace dbtest

