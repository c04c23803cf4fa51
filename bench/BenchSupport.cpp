#include "BenchSupport.h"

#include <QFile>
#include <QTextStream>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace bench {

ConnectParams ServerParams() {
    const char* path = std::getenv("VARLOKKEN_BENCH_ENV");
    if (!path) {
        std::fprintf(stderr, "VARLOKKEN_BENCH_ENV is not set (run scripts/bench.sh)\n");
        std::exit(2);
    }
    QFile file(QString::fromLocal8Bit(path));
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", path);
        std::exit(2);
    }
    ConnectParams p;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QString line = in.readLine();
        const qsizetype eq = line.indexOf('=');
        if (eq < 0) continue;
        const QString key = line.left(eq);
        const QString value = line.mid(eq + 1);
        if (key == "VARLOKKEN_TEST_SOCKET") p.socket = value;
        else if (key == "VARLOKKEN_TEST_USER") p.user = value;
        else if (key == "VARLOKKEN_TEST_PASSWORD") p.password = value;
    }
    p.database = QStringLiteral("varlokken_bench");
    return p;
}

bool ConnectOrExit(Connection& connection) {
    ConnectParams p = ServerParams();
    const QString database = p.database;
    p.database.clear();
    if (!connection.Connect(p) ||
        !connection.Exec("CREATE DATABASE IF NOT EXISTS " + Connection::QuoteIdentifier(database) +
                         " CHARACTER SET utf8mb4") ||
        !connection.Exec("USE " + Connection::QuoteIdentifier(database))) {
        std::fprintf(stderr, "%s\n", connection.LastError().toUtf8().constData());
        std::exit(2);
    }
    p.database = database;
    return connection.Connect(p);  // so that a reconnect uses the schema too
}

double Seconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double BestOf(int runs, const std::function<void()>& work) {
    double best = 1e300;
    for (int i = 0; i < runs; ++i) best = std::min(best, Seconds(work));
    return best;
}

namespace {
std::size_t StatusValue(const char* key) {
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind(key, 0) == 0) return std::stoull(line.substr(std::string(key).size())) * 1024;
    }
    return 0;
}
}  // namespace

std::size_t ResidentBytes() { return StatusValue("VmRSS:"); }
std::size_t PeakResidentBytes() { return StatusValue("VmHWM:"); }

void ResetPeakMemory() {
    std::ofstream out("/proc/self/clear_refs");
    out << "5";
}

unsigned long long BytesSent(Connection& connection) {
    return connection.Query("SHOW SESSION STATUS LIKE 'Bytes_sent'").Text(0, 1).toULongLong();
}

void Report(const char* name, double ours, double bare, const char* unit, double target) {
    const double ratio = bare > 0 ? ours / bare : 0;
    std::printf("%-44s %10.3f %-3s | bare Connector/C %10.3f %-3s | ratio %.2f (target <= %.2f)%s\n",
                name, ours, unit, bare, unit, ratio, target, ratio <= target ? "" : "  ** OVER **");
    std::fflush(stdout);
}

}  // namespace bench

#include <mysql.h>

namespace bench {
st_mysql* ConnectBare() {
    const ConnectParams p = ServerParams();
    MYSQL* m = mysql_init(nullptr);
    mysql_optionsv(m, MYSQL_SET_CHARSET_NAME, "utf8mb4");
    unsigned protocol = MYSQL_PROTOCOL_SOCKET;
    mysql_optionsv(m, MYSQL_OPT_PROTOCOL, &protocol);
    if (!mysql_real_connect(m, "localhost", p.user.toUtf8().constData(), p.password.toUtf8().constData(),
                            p.database.toUtf8().constData(), 0, p.socket.toUtf8().constData(), 0)) {
        std::fprintf(stderr, "bare connect: %s\n", mysql_error(m));
        std::exit(2);
    }
    return m;
}
}  // namespace bench
