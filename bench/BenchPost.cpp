// 10 000 single-line posts (edit two fields, post) against the same 10 000 UPDATE
// statements sent with the bare client library.
#include <mysql.h>

#include <cstdio>
#include <vector>

#include "BenchData.h"
#include "BenchSupport.h"
#include "db/Table.h"

namespace {

constexpr int kPosts = 10000;

QByteArray Quantity(int run, int i) { return QByteArray::number(run * 100 + i % 7); }
QByteArray Price(int run, int i) {
    return QByteArray::number((run * 1000 + i % 13) / 100.0, 'f', 2);
}

}  // namespace

int main() {
    Connection c;
    bench::ConnectOrExit(c);
    MYSQL* bare = bench::ConnectBare();
    Table t(c, "items");
    t.SetOrder("id");
    t.SetFilterSql(QStringLiteral("id <= %1").arg(kPosts));
    if (!t.Open() || t.RecordCount() != kPosts) {
        std::fprintf(stderr, "cannot open the items: %s\n", t.LastError().toUtf8().constData());
        return 1;
    }
    std::vector<QByteArray> ids;
    for (t.First(); !t.Eof(); t.Next()) ids.push_back(t.AsString("id").toUtf8());
    Field* quantity = t.FieldByName("itemcount");
    Field* price = t.FieldByName("price");

    double ours = 1e300;
    double theirs = 1e300;
    double exec = 1e300;
    int run = 1;
    for (int round = 0; round < 5; ++round) {
        // Each side goes first in turn: the server's background work after one side's
        // updates (purge) must not weigh on the other side only.
        double lastBare = 0;
        double mine = 0;
        auto runBare = [&] {
            const int bareRun = run++;
            lastBare = bench::Seconds([&] {
                for (int i = 0; i < kPosts; ++i) {
                    const QByteArray sql =
                        "UPDATE `items` SET `itemcount`='" + Quantity(bareRun, i) + "',`price`='" +
                        Price(bareRun, i) + "' WHERE `id` = '" + ids[static_cast<size_t>(i)] + "'";
                    if (mysql_real_query(bare, sql.constData(),
                                         static_cast<unsigned long>(sql.size())) != 0) {
                        std::fprintf(stderr, "%s\n", mysql_error(bare));
                        std::exit(1);
                    }
                }
            });
            theirs = std::min(theirs, lastBare);
        };
        auto runOurs = [&] {
            const int ourRun = run++;
            mine = bench::Seconds([&] {
                int i = 0;
                for (t.First(); !t.Eof(); t.Next(), ++i) {
                    t.Edit();
                    quantity->SetString(QString::fromLatin1(Quantity(ourRun, i)));
                    price->SetString(QString::fromLatin1(Price(ourRun, i)));
                    if (!t.Post()) {
                        std::fprintf(stderr, "%s\n", t.LastError().toUtf8().constData());
                        std::exit(1);
                    }
                }
            });
        };
        // The same statements through Connection::Exec (no dataset), to tell the two apart.
        double viaConnection = 0;
        auto runConnection = [&] {
            const int execRun = run++;
            viaConnection = bench::Seconds([&] {
                for (int i = 0; i < kPosts; ++i) {
                    c.ExecUtf8("UPDATE `items` SET `itemcount`='" + Quantity(execRun, i) + "',`price`='" +
                               Price(execRun, i) + "' WHERE `id` = '" + ids[static_cast<size_t>(i)] + "'");
                }
            });
            exec = std::min(exec, viaConnection);
        };
        if (round % 2 == 0) {
            runBare();
            runOurs();
            runConnection();
        } else {
            runConnection();
            runOurs();
            runBare();
        }
        ours = std::min(ours, mine);
        std::printf("  round %d: bare %.3f s, dataset %.3f s, Connection::Exec %.3f s\n", round + 1,
                    lastBare, mine, viaConnection);
    }
    bench::Report("10 000 posts (edit two fields, post)", ours, theirs, "s", 1.2);
    bench::Report("the same UPDATEs through Connection::Exec", exec, theirs, "s", 1.2);
    mysql_close(bare);
    return 0;
}
