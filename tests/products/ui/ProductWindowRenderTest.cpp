// Pictures of the product list with a handful of products and of the product window with
// every panel and a barcode, for looking at them: written when VARLOKKEN_RENDER_DIR names a
// folder, skipped otherwise.
#include <QHeaderView>
#include <QPixmap>
#include <QTableView>

#include "ProductWindowsFixture.h"
#include "products/ProductBulk.h"
#include "products/ui/ProductDataForm.h"
#include "products/ui/ProductListForm.h"
#include "products/ui/ProductTecDataForm.h"

namespace {

class ProductWindowRenderTest : public ProductWindowsFixture {};

TEST_F(ProductWindowRenderTest, ProductListAndProductWindow) {
    const QString folder = qEnvironmentVariable("VARLOKKEN_RENDER_DIR");
    if (folder.isEmpty()) GTEST_SKIP() << "VARLOKKEN_RENDER_DIR not set";
    const std::string el = std::to_string(AddCompany("Elektro Grossisten AS"));
    const std::string vvs = std::to_string(AddCompany("Rør & VVS Nord AS"));
    const std::string cols =
        "producttext,piece,productgroup,cost,discount,freight,addpercent,instock,minstock,maxstock,vendor,vendorid,"
        "user_favorite,EAN,lastsale,lastorder,firstsale,vatcode";
    auto add = [&](const std::string& code, const std::string& values) { AddProduct(code, cols, values); };
    add("1001", "'Kabel PFSP 3x1,5 mm²','m','EL',8.5,10,0.5,40,1200,100,500," + el +
                    ",'EG-33015',1,'7038010012345','2026-11-30','2026-11-02','2024-01-15',0");
    add("1002", "'Stikkontakt jordet 2-veis hvit','stk','EL',42,15,2,45,36,10,40," + el +
                    ",'EG-55120',1,'7038010012352','2026-12-01','2026-10-20','2023-03-01',0");
    add("1003", "'Koblingsboks IP55 grå','stk','EL',31,10,1,40,4,10,30," + el +
                    ",'EG-80044',0,'','2026-12-03','2026-09-14','2023-05-10',0");
    add("1004", "'Lysbryter 1-pol hvit','stk','EL',55,15,2,45,22,5,25," + el +
                    ",'EG-55101',0,'7038010012369','2026-11-12','2026-08-30','2022-11-11',0");
    add("2001", "'Kobberrør 15 mm','m','VVS',62,5,3,35,310,50,400," + vvs +
                    ",'RV-15CU',1,'','2026-12-07','2026-11-21','2021-06-01',0");
    add("2002", "'Kuleventil ½\"','stk','VVS',118,5,4,35,0,5,20," + vvs +
                    ",'RV-KV12',0,'7038010020012','2026-10-01','2026-06-01','2021-06-01',0");
    add("2003", "'Pressfitting bend 90° 15 mm','stk','VVS',24.9,5,1,40,185,50,300," + vvs +
                    ",'RV-PB15',0,'','2026-12-08','2026-11-21','2022-02-02',0");
    add("3001", "'Arbeid montør (time)','time','ARB',520,0,0,45,0,0,0,NULL,'',1,'','2026-12-09',NULL,NULL,0");
    add("3002", "'Kjøring (km)','km','ARB',4.5,0,0,0,0,0,0,NULL,'',0,'',NULL,NULL,NULL,4");
    add("4001", "'Pakke: Badstue-montasje','stk','PAKKE',4200,0,0,25,2,0,0,NULL,'',0,'',NULL,NULL,NULL,0");
    ASSERT_TRUE(OpenProducts());
    // Prices by the save rules, as the program stores them.
    ASSERT_TRUE(RecalculateProductPrices());

    ProductListForm list;
    list.show();
    list.resize(1180, 420);
    list.grid()->resizeColumnsToContents();
    list.grid()->horizontalHeader()->resizeSection(0, 22);
    ASSERT_TRUE(LocateCode("1002"));
    EXPECT_TRUE(list.grab().save(folder + "/products-list.png"));

    ProductDataForm data;
    data.show();
    data.SetLevel(3);
    data.adjustSize();
    EXPECT_TRUE(data.grab().save(folder + "/products-data.png"));
    data.SetLevel(0);
    data.adjustSize();
    EXPECT_TRUE(data.grab().save(folder + "/products-data-basic.png"));

    ProductTecDataForm technical;
    technical.show();
    EXPECT_TRUE(technical.grab().save(folder + "/products-technical.png"));
}

}  // namespace
