// The employee chooser: one line per active user, ticks by the record's persons, "Hent"
// writing the ticked users' initials in list order, and closing without "Hent" leaving the
// record alone.
#include <QListWidget>
#include <QPushButton>

#include "CrmWindowsFixture.h"
#include "crm/ui/PersonsSelectForm.h"
#include "data/DataModule.h"

namespace {

class PersonsSelectFormTest : public CrmWindowsFixture {
  protected:
    void SetUp() override {
        AddUser("AB", "Anne Berg");
        AddUser("ABC", "Arne B. Carlsen");
        AddUser("KN", "Kari Nordmann");
        AddUser("XX", "Xander Ute", 0);
        company_ = AddCompany("Bygg AS");
        ASSERT_TRUE(dm_.OpenTableWithRights(dm_.CompanyTable(), true, false));
        ASSERT_TRUE(dm_.CompanyTable().Locate("id", company_));
    }
    void SetPersons(const QString& persons) {
        Exec("UPDATE company SET persons=" +
             (persons.isNull() ? QString("NULL") : dm_.connection().Quote(persons)) +
             " WHERE id=" + QString::number(company_));
        ASSERT_TRUE(dm_.CompanyTable().Refresh());
    }
    QString Stored() {
        return ScalarText("SELECT IFNULL(persons, 'NULL') FROM company WHERE id=" +
                          QString::number(company_));
    }

    int company_ = 0;
};

TEST_F(PersonsSelectFormTest, TheListTicksByPersonsAndHentStoresTheTickedInListOrder) {
    const struct {
        QString persons;  // stored before
        std::vector<bool> ticksShown;
        std::vector<int> toggle;  // rows the user clicks
        QString stored;           // after "Hent"
    } cases[] = {
        {QString(), {false, false, false}, {}, ""},
        {"", {false, false, false}, {2, 0}, "AB, KN"},
        {"KN, AB", {true, false, true}, {}, "AB, KN"},
        {"ABC", {false, true, false}, {1}, ""},
        {"KN", {false, false, true}, {1}, "ABC, KN"},
    };
    for (const auto& c : cases) {
        SetPersons(c.persons);
        std::vector<bool> shown;
        QStringList lines;
        WhenModalShown([&](QWidget* dialog) {
            auto* form = static_cast<PersonsSelectForm*>(dialog);
            EXPECT_EQ(form->windowTitle(), "Velg ansatte ...");
            for (int row = 0; row < form->list()->count(); ++row) {
                shown.push_back(form->IsTicked(row));
                lines << form->list()->item(row)->text();
            }
            for (int row : c.toggle) form->SetTicked(row, !form->IsTicked(row));
            form->findChild<QPushButton*>("Hent")->click();
        });
        EXPECT_TRUE(PickPersonsInDialog(dm_.CompanyTable())) << c.persons.toStdString();
        EXPECT_EQ(lines,
                  (QStringList{"AB, Anne Berg", "ABC, Arne B. Carlsen", "KN, Kari Nordmann"}));
        EXPECT_EQ(shown, c.ticksShown) << c.persons.toStdString();
        ASSERT_TRUE(dm_.CompanyTable().Post());
        EXPECT_EQ(Stored(), c.stored) << c.persons.toStdString();
    }
    EXPECT_TRUE(Messages().isEmpty()) << Messages().join(" | ").toStdString();
}

TEST_F(PersonsSelectFormTest, ClosingWithoutHentLeavesPersonsAsTheyWere) {
    SetPersons("KN");
    WhenModalShown([](QWidget* dialog) {
        static_cast<PersonsSelectForm*>(dialog)->SetTicked(0, true);
        dialog->close();
    });
    EXPECT_FALSE(PickPersonsInDialog(dm_.CompanyTable()));
    EXPECT_EQ(dm_.CompanyTable().State(), DatasetState::Browse);
    EXPECT_EQ(dm_.CompanyTable().AsString("persons"), "KN");
    EXPECT_EQ(Stored(), "KN");
}

}  // namespace
