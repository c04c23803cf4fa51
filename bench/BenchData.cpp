#include "BenchData.h"

#include <QStringList>

#include <cstdio>
#include <algorithm>
#include <functional>
#include <random>

namespace bench {
namespace {

const char* const kWords[] = {"skrue", "mutter", "plate", "rør", "kabel", "bryter", "lampe",
                              "list", "hengsel", "beslag", "maling", "lim", "tape", "slange",
                              "ventil", "kran", "stikk", "boks", "panel", "sokkel"};
const char* const kKinds[] = {"galvanisert", "rustfri", "hvit", "sort", "grå", "eik", "furu",
                              "liten", "stor", "ekstra sterk"};

QString Description(std::mt19937& random) {
    std::uniform_int_distribution<int> word(0, std::size(kWords) - 1);
    std::uniform_int_distribution<int> kind(0, std::size(kKinds) - 1);
    std::uniform_int_distribution<int> size(3, 120);
    return QString::fromUtf8(kKinds[kind(random)]) + ' ' + QString::fromUtf8(kWords[word(random)]) +
           ' ' + QString::number(size(random)) + " mm";
}

QString Code(int n) { return QStringLiteral("P%1").arg(n, 6, 10, QLatin1Char('0')); }

long long Count(Connection& c, const char* table) {
    QueryResult r = c.Query(QStringLiteral("SELECT COUNT(*) FROM %1").arg(table));
    return r.ok() ? r.Scalar().toLongLong() : -1;
}

// Multi-row INSERTs of `batch` rows each, values from row(i).
bool Fill(Connection& c, const QString& head, int count, const std::function<QString(int)>& row) {
    const int batch = 5000;
    for (int start = 0; start < count; start += batch) {
        QStringList values;
        for (int i = start; i < std::min(count, start + batch); ++i) values << row(i);
        if (!c.Exec(head + values.join(','))) return false;
    }
    return true;
}

}  // namespace

bool EnsureBenchData(Connection& c) {
    std::mt19937 random(20240601);
    if (Count(c, "product") < kProductCount) {
        std::printf("creating %d products...\n", kProductCount);
        std::fflush(stdout);
        if (!c.Exec("DROP TABLE IF EXISTS product;"
                    "CREATE TABLE product (id INT AUTO_INCREMENT PRIMARY KEY,"
                    " productcode VARCHAR(20) NOT NULL, productname VARCHAR(80),"
                    " price DECIMAL(15,2), instock DOUBLE, UNIQUE KEY (productcode))"
                    " ENGINE=InnoDB CHARACTER SET utf8mb4"))
            return false;
        std::uniform_int_distribution<int> cents(100, 999900);
        if (!Fill(c, "INSERT INTO product (productcode, productname, price, instock) VALUES ",
                  kProductCount, [&](int i) {
                      return QStringLiteral("(%1,%2,%3,%4)")
                          .arg(c.Quote(Code(i + 1)), c.Quote(Description(random)))
                          .arg(cents(random) / 100.0, 0, 'f', 2)
                          .arg(i % 50);
                  }))
            return false;
    }
    if (Count(c, "items") < kItemCount) {
        std::printf("creating %d items...\n", kItemCount);
        std::fflush(stdout);
        if (!c.Exec("DROP TABLE IF EXISTS items;"
                    "CREATE TABLE items (id INT AUTO_INCREMENT PRIMARY KEY,"
                    " productcode VARCHAR(20), description VARCHAR(80), quantity DOUBLE,"
                    " price DECIMAL(15,2), orderid INT, KEY (orderid))"
                    " ENGINE=InnoDB CHARACTER SET utf8mb4"))
            return false;
        std::uniform_int_distribution<int> product(1, kProductCount);
        std::uniform_int_distribution<int> quantity(1, 40);
        std::uniform_int_distribution<int> cents(100, 999900);
        if (!Fill(c, "INSERT INTO items (productcode, description, quantity, price, orderid) VALUES ",
                  kItemCount, [&](int i) {
                      return QStringLiteral("(%1,%2,%3,%4,%5)")
                          .arg(c.Quote(Code(product(random))), c.Quote(Description(random)))
                          .arg(quantity(random))
                          .arg(cents(random) / 100.0, 0, 'f', 2)
                          .arg(i / 20 + 1);
                  }))
            return false;
    }
    return true;
}

}  // namespace bench
