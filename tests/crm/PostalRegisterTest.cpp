// The postal register file: robust reading, the lookup window's texts, the file read once
// and again when it changes, and the download address.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <memory>

#include "ScriptedPrompter.h"
#include "app/frame/AppContext.h"
#include "crm/CrmModule.h"
#include "crm/PostalPlace.h"
#include "crm/PostalRegister.h"
#include "data/DataModule.h"
#include "platform/TextEncoding.h"

namespace {

class PostalRegisterTest : public ::testing::Test {
  protected:
    PostalRegisterTest()
        : prompter_(new testsupport::ScriptedPrompter), ctx_(std::unique_ptr<Prompter>(prompter_)) {
        ctx_.log().SetLoggingOn(true);
        ctx_.config().SetFolderPath(QStringLiteral("import"), folder_.path());
    }

    QString RegisterFile() const { return folder_.path() + QStringLiteral("/postnummer.txt"); }
    void WriteRegister(const QByteArray& bytes) {
        QFile f(RegisterFile());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }

    testsupport::ScriptedPrompter* prompter_;
    AppContext ctx_;
    QTemporaryDir folder_;
    DataModule dm_;
    CrmModule crm_{dm_};
};

TEST_F(PostalRegisterTest, TheFileLiesInTheImportFolder) {
    EXPECT_EQ(PostalRegisterPath(), folder_.path() + QStringLiteral("/postnummer.txt"));
}

TEST_F(PostalRegisterTest, OddLinesAreReadWithoutHarm) {
    WriteRegister(
        QByteArray("0001\tOSLO\t0301\tOSLO\tP\n"
                   "\n"
                   "12\n"                                    // too short: skipped
                   "0150\tOSLO\t0301\tOSLO\tG\r\n"           // CR LF
                   "0150\tANDRE\t0301\tOSLO\tG\n"            // the first line of a code wins
                   "1300\tSANDVIKA\n"                        // fields missing
                   "2000\n"                                  // a code only
                   "2001LILLESTRØM\n"                        // no tab: no place
                   "5003\t  BERGEN  \t1201\tBERGEN\tB\tX\n"  // blanks and a fifth tab
                   "9999\tSISTE"));                          // no line end at the end
    const struct {
        const char* code;
        const char* place;
    } cases[] = {
        {"0001", "OSLO"}, {"0150", "OSLO"},   {"1300", "SANDVIKA"}, {"2000", ""},
        {"2001", ""},     {"5003", "BERGEN"}, {"9999", "SISTE"},    {"12", ""},
        {"0002", ""},     {"015", ""},        {"01500", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LookupPostalPlace(c.code), QString::fromUtf8(c.place)) << c.code;

    const PostalLookupResult r = LookupPostalCode("5003");
    EXPECT_EQ(r.status, PostalStatus::Found);
    EXPECT_EQ(r.municipalityNumber, "1201");
    EXPECT_EQ(r.category, "");  // "B\tX" is no category code
    EXPECT_TRUE(prompter_->messages().empty());
}

TEST_F(PostalRegisterTest, Windows1252AndUtf8FilesReadTheSame) {
    const QString line = QString::fromUtf8(
        "7011\tTRONDHEIM\t1601\tTRONDHEIM\tG\n"
        "9008\tTROMSØ\t1902\tTROMSØ\tG\n"
        "4306\tSANDNES\t1102\tSANDNES\tG\n");
    const QByteArray encodings[] = {platform::EncodeWindows1252(line), line.toUtf8(),
                                    QByteArray("\xEF\xBB\xBF") + line.toUtf8()};
    for (const QByteArray& bytes : encodings) {
        WriteRegister(bytes);  // each of a size of its own: read again
        EXPECT_EQ(LookupPostalPlace("9008"), QString::fromUtf8("TROMSØ"));
        EXPECT_EQ(LookupPostalCode("9008").county, "TROMS");
        EXPECT_EQ(LookupPostalPlace("7011"), "TRONDHEIM");
    }
}

TEST_F(PostalRegisterTest, TheWindowShowsCountyAndCategoryTexts) {
    WriteRegister(
        QByteArray("0150\tOSLO\t0301\tOSLO\tG\n"
                   "0001\tOSLO\t0301\tOSLO\tK\n"
                   "1300\tSTED\t1301\tKOMMUNE\tS\n"
                   "1500\tSTED\tAB01\tKOMMUNE\tF\n"
                   "2400\tSTED\t2401\tKOMMUNE\tX\n"
                   "2300\tSTED\t2301\tKOMMUNE\tP\n"));
    const struct {
        const char* code;
        const char* county;
        const char* category;
    } cases[] = {
        {"0150", "OSLO", "Gateadresse"},
        {"0001", "OSLO", "Kunde med eget postnummer"},
        {"1300", "", "Serviceboks"},  // 13 names no county
        {"1500", "", "Flere bruksområder (felles)"},
        {"2400", "", ""},
        {"2300", "KONTINENTALSOKKELEN", "Postboksadresse"},
    };
    for (const auto& c : cases) {
        const PostalLookupResult r = LookupPostalCode(c.code);
        EXPECT_TRUE(r.lookedUp);
        EXPECT_EQ(r.county, QString::fromUtf8(c.county)) << c.code;
        EXPECT_EQ(r.category, QString::fromUtf8(c.category)) << c.code;
    }

    // A code on no line shows "?" everywhere; three or five characters are not looked up.
    const PostalLookupResult missing = LookupPostalCode("8888");
    EXPECT_EQ(missing.status, PostalStatus::NotFound);
    for (const QString& s : {missing.place, missing.municipalityNumber, missing.municipality,
                             missing.county, missing.category})
        EXPECT_EQ(s, "?");
    EXPECT_FALSE(LookupPostalCode("015").lookedUp);
    EXPECT_FALSE(LookupPostalCode("01500").lookedUp);

    const struct {
        const char* number;
        const char* county;
    } counties[] = {{"0101", "ØSTFOLD"},
                    {"1201", "HORDALAND"},
                    {"1502", "MØRE OG ROMSDAL"},
                    {"0001", ""},
                    {"2401", ""},
                    {"9", ""},
                    {"", ""},
                    {"x1", ""}};
    for (const auto& c : counties)
        EXPECT_EQ(CountyName(c.number), QString::fromUtf8(c.county)) << c.number;
}

TEST_F(PostalRegisterTest, AHundredThousandLinesAreReadOnceAndAgainWhenTheFileChanges) {
    QByteArray bytes;
    bytes.reserve(100000 * 40);
    for (int i = 0; i < 100000; ++i) {
        // Codes 0000-9999 ten times over; only the first of each counts.
        const QByteArray code = QByteArray::number(i % 10000).rightJustified(4, '0');
        bytes += code + "\tSTED " + QByteArray::number(i) + "\t0301\tKOMMUNE\tG\n";
    }
    WriteRegister(bytes);
    EXPECT_EQ(LookupPostalPlace("0000"), "STED 0");
    EXPECT_EQ(LookupPostalPlace("9999"), "STED 9999");
    EXPECT_EQ(crm_.postalRegister().Size(), 10000);

    // Another register replaces it (written beside it and renamed over, as a download does).
    const QString next = folder_.path() + QStringLiteral("/postnummer.txt.part");
    {
        QFile f(next);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("9999\tNY PLASS\t0301\tKOMMUNE\tG\n");
    }
    ASSERT_TRUE(QFile::remove(RegisterFile()));
    ASSERT_TRUE(QFile::rename(next, RegisterFile()));
    EXPECT_EQ(LookupPostalPlace("9999"), "NY PLASS");
    EXPECT_EQ(LookupPostalPlace("0000"), "");
}

TEST_F(PostalRegisterTest, AMissingFileIsReportedByTheLookupNotShown) {
    EXPECT_EQ(LookupPostalPlace("0150"), "");
    const PostalLookupResult r = LookupPostalCode("0150");
    EXPECT_EQ(r.status, PostalStatus::RegisterMissing);  // the window shows "Last ned postfil"
    EXPECT_TRUE(r.place.isEmpty());
    EXPECT_FALSE(crm_.postalRegister().Available());
    EXPECT_TRUE(prompter_->messages().empty());
    // Logged once, not at every lookup.
    int logged = 0;
    for (const QString& line : ctx_.log().Lines()) logged += line.contains("postnummerregisteret");
    EXPECT_EQ(logged, 1);

    // Once downloaded it is found.
    WriteRegister("0150\tOSLO\t0301\tOSLO\tG\n");
    EXPECT_TRUE(crm_.postalRegister().Available());
    EXPECT_EQ(LookupPostalPlace("0150"), "OSLO");
}

TEST_F(PostalRegisterTest, TheDownloadAddressIsACompanySetting) {
    const struct {
        const char* server;
        const char* address;
    } cases[] = {
        {"", ""},
        {"   ", ""},
        {"http://nedlasting.example.no",
         "http://nedlasting.example.no/ftp/textfiles/postnummer.txt"},
        {"http://nedlasting.example.no/",
         "http://nedlasting.example.no/ftp/textfiles/postnummer.txt"},
        {"http://127.0.0.1:8080/sti med blank",
         "http://127.0.0.1:8080/sti med blank/ftp/textfiles/postnummer.txt"},
    };
    for (const auto& c : cases) {
        ctx_.config().WriteKey(ConfigStore::StandardSection, kPostalDownloadServerKey,
                               QString::fromUtf8(c.server));
        EXPECT_EQ(PostalDownloadAddress(), QString::fromUtf8(c.address)) << c.server;
    }
}

}  // namespace
