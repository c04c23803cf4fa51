// Pictures of the user list and the access window with a few users, for looking at them:
// written when VARLOKKEN_RENDER_DIR names a folder, skipped otherwise.
#include <QPixmap>
#include <QTableView>

#include "UsersWindowFixture.h"
#include "ui/DetailSlider.h"
#include "data/ui/UserAccessForm.h"
#include "data/ui/UserDataForm.h"
#include "data/ui/UserListForm.h"

namespace {

class WindowRenderTest : public UsersWindowFixture {};

TEST_F(WindowRenderTest, UserListAndAccessWindow) {
    const QString folder = qEnvironmentVariable("VARLOKKEN_RENDER_DIR");
    if (folder.isEmpty()) GTEST_SKIP() << "VARLOKKEN_RENDER_DIR not set";
    AddUser("KN", "Kari Nordmann", "department, title, homephone, mobilephone, email, parameter",
            "'Salg', 'Selger', '22 33 44 55', '900 11 222', 'kari@firma.no', "
            "'orders=RWDI;\\r\\ncompany=RW;\\r\\ncontact=RW;\\r\\ncalendar=RWDIF;\\r\\n'");
    AddUser("OB", "Ola O'Brien", "department, title, mobilephone, email", "'Lager', 'Lagersjef', '411 22 333', 'ola@firma.no'");
    AddUser("PP", "Per Pettersen", "department, title, email, parameter",
            "'Administrasjon', 'Daglig leder', 'per@firma.no', 'users=RWDIA;\\r\\n'");
    AddUser("ÅS", "Åse Sørli", "department, title", "'Verksted', 'Montør'");
    Exec("INSERT INTO `groups` (group_id, group_name) VALUES (100, 'Alle'), (149, 'Lager')");
    dm_.UsersTable().SetOrder("realname");

    UserListForm list;
    list.show();
    list.grid()->resizeColumnsToContents();
    EXPECT_TRUE(list.grab().save(folder + "/users-list.png"));

    UserAccessForm* access = list.OpenAccessForm();
    ASSERT_NE(access, nullptr);
    access->detailSlider()->SetLevel(2);
    access->resize(access->sizeHint().expandedTo(QSize(900, 640)));
    EXPECT_TRUE(access->grab().save(folder + "/users-access.png"));

    UserDataForm* data = list.OpenDataForm();
    data->detailSlider()->SetLevel(2);
    data->adjustSize();
    EXPECT_TRUE(data->grab().save(folder + "/users-data.png"));
    list.close();
}

}  // namespace
