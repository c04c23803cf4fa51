// varlokken-admin demo against the private server: the demo rows, loaded twice.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProcess>
#include <QStringList>

#include <string>

#include "TestDatabase.h"

namespace {

struct AdminRun {
    int exitCode = -1;
    QString out;
    QString err;
};

AdminRun RunAdmin(const QStringList& args) {
    static int argc = 1;
    static char name[] = "demo_command_test";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* app =
        QCoreApplication::instance() ? nullptr : new QCoreApplication(argc, argv);
    (void)app;
    QProcess p;
    p.start(VARLOKKEN_ADMIN, args);
    AdminRun run;
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit) {
        ADD_FAILURE() << "varlokken-admin did not finish: " << p.errorString().toStdString();
        return run;
    }
    run.exitCode = p.exitCode();
    run.out = QString::fromUtf8(p.readAllStandardOutput());
    run.err = QString::fromUtf8(p.readAllStandardError());
    return run;
}

QStringList Args(const testsupport::TestDatabase& db, const QString& command) {
    const testsupport::ServerParams& s = db.server();
    return {"--socket",   QString::fromStdString(s.socket),
            "--user",     QString::fromStdString(s.user),
            "--password", QString::fromStdString(s.password),
            "--database", QString::fromStdString(db.schema()),
            command};
}

// Every demo row with the columns a user sees, as one text.
std::string Rows(const testsupport::TestDatabase& db) {
    return db.Scalar(
               "SELECT GROUP_CONCAT(CONCAT_WS('|', id, companyname, postalcode, city, customer, "
               "vendor, "
               "defaultcontact) ORDER BY id SEPARATOR '\\n') FROM company") +
           "\n" +
           db.Scalar(
               "SELECT GROUP_CONCAT(CONCAT_WS('|', c.id, c.realname, c.companyid, "
               "IFNULL(k.companyname,'-')) "
               "ORDER BY c.id SEPARATOR '\\n') FROM contact c LEFT JOIN company k ON "
               "c.companyid=k.id") +
           "\n" +
           db.Scalar(
               "SELECT GROUP_CONCAT(CONCAT_WS('|', id, productcode, producttext, price, vendor) "
               "ORDER BY id "
               "SEPARATOR '\\n') FROM product");
}

TEST(DemoCommand, LoadsTheDemoRowsOnceAndLeavesUsersAlone) {
    testsupport::TestDatabase db;
    // Without the tables it says what to do.
    const AdminRun empty = RunAdmin(Args(db, "demo"));
    EXPECT_EQ(empty.exitCode, 1);
    EXPECT_TRUE(empty.err.startsWith("varlokken-admin: demo: tabellen company finnes ikke"))
        << empty.err.toStdString();

    ASSERT_EQ(RunAdmin(Args(db, "init")).exitCode, 0);
    // A company that is there already stays as it is, and is not doubled.
    db.Exec("INSERT INTO company (companyname, city) VALUES ('Nidaros Elektro AS', 'EGEN BY')");

    const AdminRun first = RunAdmin(Args(db, "demo"));
    ASSERT_EQ(first.exitCode, 0) << first.err.toStdString();
    EXPECT_TRUE(first.out.contains("fantes fra før")) << first.out.toStdString();
    const std::string rows = Rows(db);
    EXPECT_EQ(db.Scalar("SELECT COUNT(*) FROM company WHERE companyname='Nidaros Elektro AS'"),
              "1");
    EXPECT_EQ(db.Scalar("SELECT city FROM company WHERE companyname='Nidaros Elektro AS'"),
              "EGEN BY");
    EXPECT_GE(std::stoi(db.Scalar("SELECT COUNT(*) FROM company")), 5);
    EXPECT_GE(std::stoi(db.Scalar("SELECT COUNT(*) FROM contact")), 5);
    EXPECT_GE(std::stoi(db.Scalar("SELECT COUNT(*) FROM product")), 5);
    // Names with "&" and Norwegian letters arrive as written; vendors and contacts are tied.
    EXPECT_EQ(
        db.Scalar("SELECT COUNT(*) FROM company WHERE companyname='Solberg & Sønn Maskin AS'"),
        "1");
    EXPECT_EQ(
        db.Scalar(
            "SELECT COUNT(*) FROM product p JOIN company c ON p.vendor=c.id WHERE c.vendor=1 OR "
            "c.companyname='Nidaros Elektro AS'"),
        db.Scalar("SELECT COUNT(*) FROM product WHERE vendor IS NOT NULL"));
    EXPECT_EQ(
        db.Scalar("SELECT k.realname FROM company c JOIN contact k ON c.defaultcontact=k.id AND "
                  "k.companyid=c.id WHERE c.companyname='Fjellheim Rørleggerservice AS'"),
        "Kari Fjellheim");
    EXPECT_EQ(
        db.Scalar("SELECT defaultcontact FROM company WHERE companyname='Nidaros Elektro AS'"),
        "NULL");
    EXPECT_EQ(db.Scalar("SELECT COUNT(*) FROM users"), "0");

    const AdminRun second = RunAdmin(Args(db, "demo"));
    ASSERT_EQ(second.exitCode, 0) << second.err.toStdString();
    EXPECT_TRUE(second.out.contains(": 0 rader lagt inn")) << second.out.toStdString();
    EXPECT_EQ(Rows(db), rows);
}

}  // namespace
