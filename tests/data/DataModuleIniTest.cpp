// The ini files in the database: storing them without the saved log-on, and taking the
// company's copy at log-on without losing the local file or the local log-on.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "DataModuleFixture.h"

namespace {

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

class DataModuleIniTest : public DataModuleFixture {
protected:
    DataModuleIniTest() {
        companyIni_ = dir_.filePath("sevrante.ini");
        WriteAll(companyIni_,
                 "[STANDARD]\r\nPDF-mappe=/pdf/\r\n[VARLOKKEN_SQL]\r\nUsername=ola\r\nPassword=Zx9q\r\n"
                 "Database=varlokken\r\nNO_calendar=1\r\n");
        WriteAll(dir_.filePath("ola.INI"), "[STANDARD]\r\nHideStdPanel=1\r\n");
        ctx_.logon().CurrentUserName = "ola";
        ctx_.config().UseLogonValues(ctx_.logon());
        ctx_.config().OpenCompanyIni(companyIni_);
        Exec("INSERT INTO users (id, username) VALUES (4, 'ola'), (5, 'kari')");
        Exec("INSERT INTO company (id, companyname, inifile) VALUES (1, 'Eget AS', NULL), (2, 'Annet AS', 'x')");
        ctx_.logon().CurrentCompanyId = 1;
    }

    void SetServerCopy(const QString& sqlValue) { Exec("UPDATE company SET inifile=" + sqlValue + " WHERE id=1"); }
    QString Local(const QString& section, const QString& key) { return ctx_.config().ReadKey(section, key); }

    QTemporaryDir dir_;
    QString companyIni_;
};

TEST_F(DataModuleIniTest, StoredCopiesLeaveTheSavedLogonOut) {
    dm_.UsersTable().SetFilterSql("defaultgroup=3");
    ASSERT_TRUE(dm_.UpDateIniFiles());
    const QString company = QString::fromStdString(Scalar("SELECT inifile FROM company WHERE id=1"));
    EXPECT_TRUE(company.contains("PDF-mappe=/pdf/"));
    EXPECT_TRUE(company.contains("Database=varlokken"));
    EXPECT_TRUE(company.contains("NO_calendar=1"));
    EXPECT_FALSE(company.contains("Username")) << company.toStdString();
    EXPECT_FALSE(company.contains("Password"));
    EXPECT_FALSE(company.contains("Zx9q"));
    EXPECT_EQ(Scalar("SELECT inifile FROM company WHERE id=2"), "x");
    const QString user = QString::fromStdString(Scalar("SELECT inifile FROM users WHERE id=4"));
    EXPECT_TRUE(user.contains("HideStdPanel=1"));
    EXPECT_EQ(Scalar("SELECT inifile FROM users WHERE id=5"), "NULL");

    // The local files keep the log-on; the windows' filters are as they were.
    EXPECT_EQ(Local("VARLOKKEN_SQL", "Username"), "ola");
    EXPECT_TRUE(ReadAll(companyIni_).contains("Password=Zx9q"));
    EXPECT_EQ(dm_.UsersTable().FilterSql(), "defaultgroup=3");
    EXPECT_EQ(dm_.CompanyTable().FilterSql(), "");
    EXPECT_FALSE(dm_.UsersTable().IsActive());

    // Not connected: nothing is stored.
    ctx_.logon().ConnectState = -1;
    Exec("UPDATE company SET inifile=NULL");
    EXPECT_FALSE(dm_.UpDateIniFiles());
    EXPECT_EQ(Scalar("SELECT inifile FROM company WHERE id=1"), "NULL");
}

TEST_F(DataModuleIniTest, EmptyOrMissingServerCopyLeavesTheLocalIni) {
    const QByteArray before = ReadAll(companyIni_);
    for (const char* value : {"NULL", "''", "' \\r\\n '"}) {
        SetServerCopy(value);
        EXPECT_FALSE(dm_.ApplyCompanyIniFromServer()) << value;
        EXPECT_EQ(Local("STANDARD", "PDF-mappe"), "/pdf/") << value;
        EXPECT_FALSE(QFile::exists(companyIni_ + ".bak")) << value;
    }
    EXPECT_EQ(ReadAll(companyIni_), before);
    SetServerCopy("'[STANDARD]\\r\\nPDF-mappe=/server/\\r\\n'");
    ctx_.logon().CurrentCompanyId = 0;
    EXPECT_FALSE(dm_.ApplyCompanyIniFromServer());
    ctx_.logon().CurrentCompanyId = 99;  // no such row
    EXPECT_FALSE(dm_.ApplyCompanyIniFromServer());
    EXPECT_EQ(Local("STANDARD", "PDF-mappe"), "/pdf/");
}

TEST_F(DataModuleIniTest, ServerCopyReplacesTheLocalIniKeepingBackupAndLogon) {
    ctx_.config().WriteKey("STANDARD", "Lokal", "ja");  // not yet on disk
    SetServerCopy(
        "'[STANDARD]\\r\\nPDF-mappe=/server/\\r\\n[VARLOKKEN_SQL]\\r\\nUsername=kari\\r\\n"
        "Password=Kq2\\r\\nNO_news=1\\r\\n'");
    ASSERT_TRUE(dm_.ApplyCompanyIniFromServer());
    EXPECT_EQ(Local("STANDARD", "PDF-mappe"), "/server/");
    EXPECT_EQ(Local("VARLOKKEN_SQL", "NO_news"), "1");
    EXPECT_EQ(Local("VARLOKKEN_SQL", "NO_calendar"), "");
    EXPECT_EQ(Local("VARLOKKEN_SQL", "Username"), "ola");
    EXPECT_EQ(Local("VARLOKKEN_SQL", "Password"), "Zx9q");
    const QByteArray onDisk = ReadAll(companyIni_);
    EXPECT_TRUE(onDisk.contains("PDF-mappe=/server/"));
    EXPECT_TRUE(onDisk.contains("Username=ola"));
    EXPECT_FALSE(onDisk.contains("kari"));
    const QByteArray backup = ReadAll(companyIni_ + ".bak");
    EXPECT_TRUE(backup.contains("PDF-mappe=/pdf/"));
    EXPECT_TRUE(backup.contains("Lokal=ja"));
    EXPECT_TRUE(backup.contains("NO_calendar=1"));
    // No temporary files are left beside it.
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files).size(), 3);

    // A workstation without a saved log-on does not take the server's.
    ctx_.config().ConfigFile().RemoveKey("VARLOKKEN_SQL", "Username");
    ctx_.config().ConfigFile().RemoveKey("VARLOKKEN_SQL", "Password");
    SetServerCopy("'[VARLOKKEN_SQL]\\r\\nUsername=kari\\r\\nPassword=Kq2\\r\\n'");
    ASSERT_TRUE(dm_.ApplyCompanyIniFromServer());
    EXPECT_FALSE(ctx_.config().ConfigFile().HasKey("VARLOKKEN_SQL", "Username"));
    EXPECT_FALSE(ctx_.config().ConfigFile().HasKey("VARLOKKEN_SQL", "Password"));
    EXPECT_FALSE(ReadAll(companyIni_).contains("kari"));
    EXPECT_TRUE(ReadAll(companyIni_ + ".bak").contains("PDF-mappe=/server/"));
}

}  // namespace
