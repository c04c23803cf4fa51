// The vendor chooser: one row per vendor id (two vendors of one name are two rows), the
// vendor id returned by row, by double-click and Enter, and -1 when it is closed.
#include <QTableView>

#include "CrmWindowsFixture.h"
#include "crm/VendorChooser.h"
#include "crm/ui/CompanySelectForm.h"
#include "ui/DatasetTableModel.h"

namespace {

class CompanySelectFormTest : public CrmWindowsFixture {
  protected:
    void SetUp() override {
        staalA_ = AddCompany("Stål & Rør AS");
        staalB_ = AddCompany("Stål & Rør AS");
        const int bolt = AddCompany("Bolt-Import O'Neil");
        AddProducts(staalA_, 3);
        AddProducts(staalB_, 1);
        AddProducts(bolt, 2);
        AddProducts(0, 1);  // no vendor
    }
    void AddProducts(int vendor, int count) {
        for (int i = 0; i < count; ++i)
            Exec("INSERT INTO product (productcode, vendor) VALUES ('P" + QString::number(++code_) +
                 "', " + QString::number(vendor) + ")");
    }
    QStringList Rows(const CompanySelectForm& form) {
        QStringList rows;
        for (int r = 0; r < form.model()->rowCount(); ++r)
            rows << form.model()->CellText(r, 0) + " | " + form.model()->CellText(r, 1);
        return rows;
    }
    int VendorAt(int row) { return crm_.CompanyMiniQuery().TextAt(row, "vendor").toInt(); }

    int staalA_ = 0;
    int staalB_ = 0;
    int code_ = 0;
};

TEST_F(CompanySelectFormTest, EveryVendorIsARowAndARowGivesItsVendorId) {
    CompanySelectForm form;
    form.show();
    EXPECT_EQ(form.windowTitle(), "Velg firma");
    EXPECT_EQ(form.model()->headerData(0, Qt::Horizontal).toString(), "Firmanavn");
    EXPECT_EQ(form.model()->headerData(1, Qt::Horizontal).toString(), "Antall");
    EXPECT_EQ(Rows(form), (QStringList{" | 1", "Bolt-Import O'Neil | 2", "Stål & Rør AS | 3",
                                       "Stål & Rør AS | 1"}));
    EXPECT_EQ(VendorAt(2), staalA_);
    EXPECT_EQ(VendorAt(3), staalB_);

    for (int row : {3, 2, 0}) {
        form.show();
        EXPECT_EQ(form.Result(), kNoVendorChosen) << row;
        form.ChooseRow(row);
        EXPECT_EQ(form.Result(), VendorAt(row)) << row;
        EXPECT_FALSE(form.isVisible()) << row;
    }
    // Nothing to choose: the chooser stays.
    form.show();
    form.ChooseRow(7);
    EXPECT_TRUE(form.isVisible());
    form.close();
    EXPECT_EQ(form.Result(), kNoVendorChosen);
    EXPECT_TRUE(Messages().isEmpty()) << Messages().join(" | ").toStdString();
}

TEST_F(CompanySelectFormTest, ModallyADoubleClickOrEnterChoosesAndTheCloseBoxGivesMinusOne) {
    WhenModalShown([](QWidget* dialog) {
        auto* grid = dialog->findChild<QTableView*>("grid");
        emit grid->doubleClicked(grid->model()->index(3, 0));
    });
    EXPECT_EQ(CompanySelectForm::Choose(), staalB_);

    WhenModalShown([](QWidget* dialog) {
        auto* form = static_cast<CompanySelectForm*>(dialog);
        ASSERT_TRUE(form->model()->MoveToRow(2));
        PressKey(form->grid(), Qt::Key_Return);
    });
    EXPECT_EQ(CompanySelectForm::Choose(), staalA_);

    WhenModalShown([](QWidget* dialog) { dialog->close(); });
    EXPECT_EQ(CompanySelectForm::Choose(), kNoVendorChosen);
    WhenModalShown([](QWidget* dialog) { PressKey(dialog, Qt::Key_Escape); });
    EXPECT_EQ(CompanySelectForm::Choose(), kNoVendorChosen);
}

}  // namespace
