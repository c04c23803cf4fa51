// Pictures of the company list, the company window and the postal code window with a few
// realistic companies, for looking at them: written when VARLOKKEN_RENDER_DIR names a
// folder, skipped otherwise.
#include <QPixmap>
#include <QTableView>

#include "CrmWindowsFixture.h"
#include "crm/ui/CompanyDataForm.h"
#include "crm/ui/CompanyListForm.h"
#include "crm/ui/PostnummerForm.h"
#include "data/DataModule.h"
#include "ui/DetailSlider.h"

namespace {

class CompanyRenderTest : public CrmWindowsFixture {};

TEST_F(CompanyRenderTest, CompanyListCompanyWindowAndPostalCodeWindow) {
    const QString folder = qEnvironmentVariable("VARLOKKEN_RENDER_DIR");
    if (folder.isEmpty()) GTEST_SKIP() << "VARLOKKEN_RENDER_DIR not set";
    const QString cols =
        ", orgnumber, phone, telefax, email, homepage, streetaddress, postaladdress, postalcode, city, customer, "
        "vendor, equipvendor, partner, blacklisted, branch, custno, bankaccount, companyfolder, object_text";
    const int bygg = AddCompany(
        "Bygg & Betong AS", cols,
        ", '987 654 321', '64 80 12 00', '64 80 12 01', 'post@byggbetong.no', 'www.byggbetong.no', "
        "'Industrivegen 4', 'Postboks 120', '2000', 'LILLESTRØM', 1, 0, 0, 0, 0, 'Entreprenør', '10023', "
        "'1503.12.34567', '/srv/firma/bygg/', 'Fast kunde siden 2009.\\nRinger helst før kl. 9.\\nRabatt 12 % på "
        "materialer.'");
    AddCompany("Fjord Rør og Varme AS", cols,
               ", '912 345 678', '55 31 20 00', '', 'ordre@fjordror.no', 'www.fjordror.no', 'Kaigata 1', '', "
               "'5003', 'BERGEN', 1, 1, 0, 0, 0, 'Rørlegger', '10031', '', '', ''");
    AddCompany("Elektro Nord AS", cols,
               ", '998 112 233', '77 60 40 00', '', 'firmapost@elektronord.no', 'elektronord.no', "
               "'Storgata 88', '', '9008', 'TROMSØ', 0, 1, 0, 1, 0, 'Elektro', '', '', '', ''");
    AddCompany("Verktøy-Utleie Sør AS", cols,
               ", '915 000 111', '38 10 22 00', '38 10 22 01', 'utleie@verktoysor.no', 'www.verktoysor.no', "
               "'Verkstedveien 9', '', '4630', 'KRISTIANSAND S', 0, 1, 1, 0, 0, 'Utleie', '', '', '', ''");
    AddCompany("Hansen Maling & Tapet", cols,
               ", '870 220 330', '73 52 11 90', '', 'hansen@malingtapet.no', '', 'Kjøpmannsgata 12', '', "
               "'7010', 'TRONDHEIM', 1, 0, 0, 0, 0, 'Maler', '10044', '', '', ''");
    AddCompany("Dårlig Betaler AS", cols,
               ", '999 999 999', '22 00 00 00', '', '', '', 'Ukjent', '', '0150', 'OSLO', 1, 0, 0, 0, 1, '', "
               "'', '', '', 'Skylder for tre fakturaer. Kun kontant.'");
    AddCompany("Sørlandet Treindustri AS", cols,
               ", '923 456 780', '37 00 50 50', '', 'post@sortre.no', 'www.sortre.no', 'Sagbruksveien 2', "
               "'Postboks 44', '4838', 'ARENDAL', 0, 1, 0, 0, 0, 'Trelast', '', '', '', ''");
    AddCompany("O'Brien Ventilasjon ANS", cols,
               ", '976 543 210', '67 10 10 10', '', 'kontakt@obrien.no', '', 'Kirkeveien 31', '', '1300', "
               "'SANDVIKA', 1, 0, 0, 0, 0, 'Ventilasjon', '10058', '', '', ''");
    const int kari = AddContact("Kari Nordmann", bygg);
    AddContact("Per Hansen", bygg);
    const int kn = AddUser("KN", "Kari Nordmann");
    AddUser("OB", "Ola Berg");
    Exec(QStringLiteral("UPDATE company SET defaultcontact=%1, mycontact=%2 WHERE id=%3").arg(kari).arg(kn).arg(bygg));

    CompanyListForm list;
    list.show();
    ASSERT_TRUE(dm_.CompanyTable().Locate("id", bygg));
    QApplication::processEvents();  // the status bar lays its fields out
    EXPECT_TRUE(list.grab().save(folder + "/company-list.png"));

    CompanyDataForm data;
    data.show();
    data.detailSlider()->SetLevel(2);
    data.adjustSize();
    EXPECT_TRUE(data.grab().save(folder + "/company-data.png"));

    WritePostalRegister("4630\tKRISTIANSAND S\t1001\tKRISTIANSAND\tG\n");
    PostnummerForm postal;
    postal.ShowCode("4630");
    EXPECT_TRUE(postal.grab().save(folder + "/company-postnummer.png"));
    data.close();
    list.close();
}

}  // namespace
