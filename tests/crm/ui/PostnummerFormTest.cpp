// The postal code window: what it shows for a code, when it looks up, and the register's
// download over a local HTTP server.
#include <QLineEdit>
#include <QPushButton>

#include "CrmWindowsFixture.h"
#include "app/frame/ConfigStore.h"
#include "crm/PostalRegister.h"
#include "crm/ui/PostnummerForm.h"
#include "ui/WindowRegistry.h"

namespace {

const QByteArray kRegister = QString::fromUtf8(
                                 "0150\tOSLO\t0301\tOSLO\tG\n"
                                 "5003\tBERGEN\t1201\tBERGEN\tB\n"
                                 "6800\tFØRDE\t1432\tFØRDE\tP\n"
                                 "1300\tSANDVIKA\t1301\tGAMMEL KOMMUNE\tK\n"
                                 "9170\tLONGYEARBYEN\t2111\tSVALBARD\tS\n"
                                 "8099\tJAN MAYEN\t2211\tJAN MAYEN\tX\n"
                                 "4444\tINGENSTED\tAB11\tUKJENT\tF\n")
                                 .toUtf8();

class PostnummerFormTest : public CrmWindowsFixture {
  protected:
    QStringList Shown() const {
        return {form_.PlaceText(), form_.MunicipalityNumberText(), form_.MunicipalityText(), form_.CountyText(),
                form_.CategoryText()};
    }
    void SetServer(const QString& address) {
        ctx_.config().WriteKey(ConfigStore::StandardSection, kPostalDownloadServerKey, address);
    }

    PostnummerForm form_;
};

TEST_F(PostnummerFormTest, ShowsTheLineOfACodeAndQuestionMarksForAnUnknownOne) {
    WritePostalRegister(kRegister);
    const struct {
        const char* code;
        QStringList shown;
    } cases[] = {
        {"5003", {"BERGEN", "1201", "BERGEN", "HORDALAND", "Både gateadresse og postboks"}},
        {"6800", {"FØRDE", "1432", "FØRDE", "SOGN OG FJORDANE", "Postboksadresse"}},
        {"1300", {"SANDVIKA", "1301", "GAMMEL KOMMUNE", "", "Kunde med eget postnummer"}},  // no county 13
        {"9170", {"LONGYEARBYEN", "2111", "SVALBARD", "SVALBARD", "Serviceboks"}},
        {"8099", {"JAN MAYEN", "2211", "JAN MAYEN", "JAN MAYEN", ""}},  // unknown category
        {"4444", {"INGENSTED", "AB11", "UKJENT", "", "Flere bruksområder (felles)"}},  // no digits
        {"9998", {"?", "?", "?", "?", "?"}},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(ShowWindow("PostnummerForm", QString::fromLatin1(c.code))) << c.code;
        EXPECT_TRUE(form_.isVisible());
        EXPECT_EQ(form_.windowTitle(), "Postnummer");
        EXPECT_EQ(form_.CodeEdit()->text(), c.code);
        EXPECT_EQ(Shown(), c.shown) << c.code;
    }
    EXPECT_FALSE(form_.DownloadButton()->isVisible());
    EXPECT_TRUE(Messages().isEmpty()) << Messages().join(" | ").toStdString();
}

TEST_F(PostnummerFormTest, OnlyAFourCharacterCodeIsLookedUp) {
    WritePostalRegister(kRegister);
    form_.ShowCode("0150");
    EXPECT_EQ(form_.PlaceText(), "OSLO");
    // Typing: three and five characters look nothing up; the fourth does.
    form_.CodeEdit()->setText("500");
    EXPECT_EQ(form_.PlaceText(), "OSLO");
    form_.CodeEdit()->setText("5003");
    EXPECT_EQ(form_.PlaceText(), "BERGEN");
    form_.CodeEdit()->setText("50031");
    EXPECT_EQ(form_.PlaceText(), "BERGEN");
    EXPECT_FALSE(form_.Lookup());
    // Shown with a short code, nothing of an earlier code is left.
    form_.close();
    form_.ShowCode("123");
    EXPECT_EQ(Shown(), (QStringList{"", "", "", "", ""}));
    EXPECT_FALSE(form_.DownloadButton()->isVisible());
}

TEST_F(PostnummerFormTest, AMissingRegisterShowsTheDownloadButtonEnabledOnlyWithAServer) {
    form_.ShowCode("5003");
    EXPECT_TRUE(form_.DownloadButton()->isVisible());
    EXPECT_FALSE(form_.DownloadButton()->isEnabled());  // no "PostfilServer"
    EXPECT_EQ(Shown(), (QStringList{"", "", "", "", ""}));
    EXPECT_FALSE(form_.DownloadRegister());

    SetServer("http://nedlasting.example.no/");
    form_.CodeEdit()->setText("0150");
    EXPECT_TRUE(form_.DownloadButton()->isEnabled());

    // The register comes back by other means: the button goes.
    WritePostalRegister(kRegister);
    form_.CodeEdit()->setText("5003");
    EXPECT_FALSE(form_.DownloadButton()->isVisible());
    EXPECT_EQ(form_.PlaceText(), "BERGEN");
}

TEST_F(PostnummerFormTest, TheDownloadFetchesTheRegisterHidesTheButtonAndLooksUpAgain) {
    HttpTestServer server;
    // A blank in the server's address is sent as %20.
    server.Put("nedlasting og filer/ftp/textfiles/postnummer.txt", kRegister);
    SetServer(server.Base() + "/nedlasting og filer/");
    form_.ShowCode("6800");
    ASSERT_TRUE(form_.DownloadButton()->isVisible());
    ASSERT_TRUE(form_.DownloadButton()->isEnabled());

    form_.DownloadButton()->click();
    EXPECT_FALSE(form_.DownloadButton()->isVisible());
    EXPECT_EQ(form_.PlaceText(), QString::fromUtf8("FØRDE"));
    EXPECT_EQ(form_.CountyText(), "SOGN OG FJORDANE");
    QFile file(RegisterPath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), kRegister);
    EXPECT_TRUE(Messages().isEmpty()) << Messages().join(" | ").toStdString();
}

TEST_F(PostnummerFormTest, AFailedDownloadKeepsTheButton) {
    HttpTestServer server;  // holds no register
    SetServer(server.Base());
    form_.ShowCode("5003");
    form_.DownloadButton()->click();
    EXPECT_TRUE(form_.DownloadButton()->isVisible());
    EXPECT_EQ(Messages(), QStringList{"FEIL: Feil i nedlasting av fil"});
    EXPECT_FALSE(QFileInfo::exists(RegisterPath()));
    EXPECT_EQ(Shown(), (QStringList{"", "", "", "", ""}));
}

}  // namespace
