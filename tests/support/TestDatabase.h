#pragma once

#include <string>

namespace testsupport {

// Where the private test server listens (read from the file the start script writes).
struct ServerParams {
    std::string socket;
    unsigned port = 0;
    std::string host = "127.0.0.1";
    std::string user;
    std::string password;
};

// The private server of this test run. Fails the calling test when it is not running.
ServerParams TestServer();

// A fresh schema on the private test server, dropped again when the object goes away.
class TestDatabase {
public:
    TestDatabase();
    ~TestDatabase();
    TestDatabase(const TestDatabase&) = delete;
    TestDatabase& operator=(const TestDatabase&) = delete;

    const std::string& schema() const { return schema_; }
    const ServerParams& server() const { return server_; }

    // Runs SQL (several statements allowed) on the schema through a bare client
    // connection; fails the test on error. For fixtures and checks only.
    void Exec(const std::string& sql) const;
    // First column of the first row as text ("" for none, "NULL" for NULL).
    std::string Scalar(const std::string& sql) const;

private:
    ServerParams server_;
    std::string schema_;
};

}  // namespace testsupport
