#include "TestDatabase.h"

#include <gtest/gtest.h>
#include <mysql.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <stdexcept>

namespace testsupport {
namespace {

std::map<std::string, std::string> ReadEnvFile() {
    std::map<std::string, std::string> values;
    const char* path = std::getenv("VARLOKKEN_TESTDB_ENV");
    if (!path) return values;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        auto eq = line.find('=');
        if (eq != std::string::npos) values[line.substr(0, eq)] = line.substr(eq + 1);
    }
    return values;
}

struct MysqlCloser {
    void operator()(MYSQL* m) const { mysql_close(m); }
};
using MysqlPtr = std::unique_ptr<MYSQL, MysqlCloser>;

MysqlPtr ConnectBare(const ServerParams& s, const std::string& schema) {
    MysqlPtr m(mysql_init(nullptr));
    unsigned int protocol = MYSQL_PROTOCOL_SOCKET;
    mysql_optionsv(m.get(), MYSQL_OPT_PROTOCOL, &protocol);
    mysql_optionsv(m.get(), MYSQL_SET_CHARSET_NAME, "utf8mb4");
    if (!mysql_real_connect(m.get(), "localhost", s.user.c_str(), s.password.c_str(),
                            schema.empty() ? nullptr : schema.c_str(), 0, s.socket.c_str(),
                            CLIENT_MULTI_STATEMENTS)) {
        throw std::runtime_error(std::string("test server: ") + mysql_error(m.get()));
    }
    return m;
}

void RunAll(MYSQL* m, const std::string& sql) {
    if (mysql_real_query(m, sql.data(), sql.size()) != 0)
        throw std::runtime_error(mysql_error(m) + std::string(" in: ") + sql);
    do {
        if (MYSQL_RES* r = mysql_store_result(m)) mysql_free_result(r);
        else if (mysql_errno(m)) throw std::runtime_error(mysql_error(m) + std::string(" in: ") + sql);
    } while (mysql_next_result(m) == 0);
    if (mysql_errno(m)) throw std::runtime_error(mysql_error(m) + std::string(" in: ") + sql);
}

}  // namespace

ServerParams TestServer() {
    auto env = ReadEnvFile();
    ServerParams s;
    s.socket = env["VARLOKKEN_TEST_SOCKET"];
    s.port = static_cast<unsigned>(std::atoi(env["VARLOKKEN_TEST_PORT"].c_str()));
    s.user = env["VARLOKKEN_TEST_USER"];
    s.password = env["VARLOKKEN_TEST_PASSWORD"];
    if (s.socket.empty()) {
        ADD_FAILURE() << "The private test server is not running (VARLOKKEN_TESTDB_ENV).";
    }
    return s;
}

TestDatabase::TestDatabase() : server_(TestServer()) {
    static std::atomic<int> counter{0};
    auto now = std::chrono::steady_clock::now().time_since_epoch().count();
    schema_ = "t_" + std::to_string(getpid()) + "_" + std::to_string(counter++) + "_" +
              std::to_string(now % 100000);
    try {
        auto m = ConnectBare(server_, "");
        RunAll(m.get(), "CREATE DATABASE `" + schema_ + "` CHARACTER SET utf8mb4");
    } catch (const std::exception& e) {
        ADD_FAILURE() << e.what();
    }
}

TestDatabase::~TestDatabase() {
    try {
        auto m = ConnectBare(server_, "");
        RunAll(m.get(), "DROP DATABASE IF EXISTS `" + schema_ + "`");
    } catch (const std::exception& e) {
        ADD_FAILURE() << e.what();
    }
}

void TestDatabase::Exec(const std::string& sql) const {
    try {
        auto m = ConnectBare(server_, schema_);
        RunAll(m.get(), sql);
    } catch (const std::exception& e) {
        ADD_FAILURE() << e.what();
    }
}

std::string TestDatabase::Scalar(const std::string& sql) const {
    try {
        auto m = ConnectBare(server_, schema_);
        if (mysql_real_query(m.get(), sql.data(), sql.size()) != 0)
            throw std::runtime_error(mysql_error(m.get()) + std::string(" in: ") + sql);
        MYSQL_RES* r = mysql_store_result(m.get());
        if (!r) return "";
        std::string value;
        if (MYSQL_ROW row = mysql_fetch_row(r)) {
            unsigned long* len = mysql_fetch_lengths(r);
            value = row[0] ? std::string(row[0], len[0]) : "NULL";
        }
        mysql_free_result(r);
        return value;
    } catch (const std::exception& e) {
        ADD_FAILURE() << e.what();
        return "";
    }
}

}  // namespace testsupport
