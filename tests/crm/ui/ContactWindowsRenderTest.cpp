// Pictures of the contact list, the contact window and the two choosers with a few
// realistic rows, for looking at them: written when VARLOKKEN_RENDER_DIR names a folder,
// skipped otherwise.
#include <QPixmap>
#include <QTableView>

#include "CrmWindowsFixture.h"
#include "crm/ContactRules.h"
#include "crm/PickPersons.h"
#include "crm/ui/CompanySelectForm.h"
#include "crm/ui/ContactDataForm.h"
#include "crm/ui/ContactListForm.h"
#include "crm/ui/PersonsSelectForm.h"
#include "data/DataModule.h"
#include "ui/DetailSlider.h"

namespace {

class ContactWindowsRenderTest : public CrmWindowsFixture {};

TEST_F(ContactWindowsRenderTest, ContactListContactWindowAndChoosers) {
    const QString folder = qEnvironmentVariable("VARLOKKEN_RENDER_DIR");
    if (folder.isEmpty()) GTEST_SKIP() << "VARLOKKEN_RENDER_DIR not set";
    const int bygg = AddCompany("Bygg & Betong Nord AS");
    const int ror = AddCompany("Rørleggern i Bodø AS");
    const int elektro = AddCompany("Elektro-Service Tromsø");
    const QString cols = ", mobilephone, internalphone, homephone, email";
    AddContact(
        "Kari Nordmann", QString::number(bygg),
        cols +
            ", title, department, streetaddress, postaladdress, "
            "postalcode, city, home_email, homepage, object_text",
        ", '900 11 222', '75 50 12 34', '75 52 00 11', 'kari@byggbetong.no', 'Prosjektleder', "
        "'Anlegg', "
        "'Sjøgata 12', 'Postboks 45', '8006', 'BODØ', 'kari.n@privat.no', 'www.byggbetong.no', "
        "'Foretrekker e-post. Treffes best før kl. 9.\nAnsvarlig for rammeavtalen 2026.'");
    AddContact("Ola O'Brien", QString::number(bygg), cols,
               ", '412 34 567', '75 50 12 40', '', 'ola@byggbetong.no'");
    AddContact("Per Hansen", QString::number(ror), cols,
               ", '918 76 543', '', '75 56 78 90', 'per@rorleggern.no'");
    AddContact("Åse Sørli", QString::number(ror), cols,
               ", '977 00 111', '75 56 78 91', '', 'ase@rorleggern.no'");
    AddContact("Nils Eriksen", QString::number(elektro), cols,
               ", '934 56 789', '77 60 10 20', '', 'nils@elektro-service.no'");
    AddContact("Ingrid Johansen", "0", cols,
               ", '481 22 333', '', '22 33 44 55', 'ingrid.johansen@gmail.com'");
    AddContact("Bjørn Lie", "0", cols, ", '905 55 666', '', '', ''");
    AddContact("Marte Kristiansen", QString::number(elektro), cols,
               ", '456 78 901', '77 60 10 25', '', 'marte@elektro-service.no'");
    for (int i = 1; i <= 6; ++i)
        Exec("INSERT INTO product (productcode, vendor) VALUES ('R" + QString::number(i) + "', " +
             QString::number(i <= 4 ? ror : elektro) + ")");

    ContactListForm list;
    ContactDataForm data;
    list.show();
    QApplication::processEvents();
    EXPECT_TRUE(list.grab().save(folder + "/contacts-list.png"));

    ASSERT_TRUE(dm_.ContactQuery().Locate("realname", "Kari Nordmann"));
    data.show();
    data.detailSlider()->SetLevel(2);
    data.adjustSize();
    QApplication::processEvents();
    EXPECT_TRUE(data.grab().save(folder + "/contacts-data.png"));
    data.detailSlider()->SetLevel(0);
    data.adjustSize();
    EXPECT_TRUE(data.grab().save(folder + "/contacts-data-level0.png"));

    CompanySelectForm vendors;
    vendors.show();
    EXPECT_TRUE(vendors.grab().save(folder + "/contacts-vendor-chooser.png"));

    const std::vector<PersonChoice> users{{"KN", "Kari Nordmann"},
                                          {"OB", "Ola O'Brien"},
                                          {"PP", "Per Pettersen"},
                                          {"ÅS", "Åse Sørli"}};
    PersonsSelectForm persons(users, {true, false, true, false});
    persons.show();
    EXPECT_TRUE(persons.grab().save(folder + "/contacts-persons-chooser.png"));
    list.close();
}

}  // namespace
