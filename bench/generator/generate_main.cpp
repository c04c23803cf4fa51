// Fills a schema with a large generated company for benchmarks and trials:
//   varlokken-generate --socket S | --server H [--port P] --user U [--password W]
//                      [--database varlokken] [--scale 1.0]
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>

#include <cstdio>

#include "LargeCompany.h"
#include "db/Connection.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ConnectParams p;
    p.database = "varlokken";
    double scale = 1.0;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); i += 2) {
        const QString& k = args[i];
        const QString& v = args[i + 1];
        if (k == "--socket") p.socket = v;
        else if (k == "--server") p.server = v;
        else if (k == "--port") p.port = v.toUInt();
        else if (k == "--user") p.user = v;
        else if (k == "--password") p.password = v;
        else if (k == "--database") p.database = v;
        else if (k == "--scale") scale = v.toDouble();
        else {
            std::fprintf(stderr, "ukjent valg: %s\n", qPrintable(k));
            return 2;
        }
    }
    Connection db;
    ConnectParams server = p;
    server.database.clear();
    if (!db.Connect(server) ||
        !db.Exec("CREATE DATABASE IF NOT EXISTS " + Connection::QuoteIdentifier(p.database) +
                 " CHARACTER SET utf8mb4") ||
        !db.Exec("USE " + Connection::QuoteIdentifier(p.database))) {
        std::fprintf(stderr, "%s\n", qPrintable(db.LastError()));
        return 1;
    }
    QElapsedTimer t;
    t.start();
    QTextStream out(stdout);
    QString error;
    if (!GenerateCompany(db, CompanySize().Scaled(scale),
                         [&out](const QString& s) { out << s << Qt::endl; }, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    out << "Ferdig på " << t.elapsed() / 1000.0 << " s" << Qt::endl;
    return 0;
}
