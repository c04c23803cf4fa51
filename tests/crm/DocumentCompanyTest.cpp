// What documents take from a company, the vendor chooser and the employee chooser, on the
// server.
#include "CrmFixture.h"
#include "crm/DocumentCompany.h"
#include "crm/PickPersons.h"
#include "crm/VendorChooser.h"

namespace {

const QString kBlock = QString::fromUtf8("Fjord Rør AS\r\nKaigata 1\r\n5003 BERGEN");

class DocumentCompanyTest : public CrmFixture {
  protected:
    void SetUp() override {
        company_ = AddCompany(QString::fromUtf8("Fjord Rør AS"),
                              ", streetaddress, postaladdress, postalcode, city",
                              ", 'Kaigata 1', 'Postboks 9', '5003', 'BERGEN'");
        contact_ = AddContact("Kari Fjord", QString::number(company_));
        AddContact("Annen Person", "0");
        Exec("UPDATE company SET defaultcontact=" + QString::number(contact_));
        ASSERT_TRUE(dm_.OpenTableWithRights(dm_.CompanyTable(), false, false));
        ASSERT_TRUE(dm_.CompanyTable().Locate("id", company_));
    }

    // A document row of a kind, open in its table, with the given address and contact.
    Table& OpenDocument(DocumentKind kind, const QString& address, int contact) {
        Table& t = DocumentTableOf(kind);
        Exec("INSERT INTO " + t.TableName() +
             " (ordernumber, deliveryaddress, external_contact) VALUES (1, " +
             dm_.connection().Quote(address) + ", " + QString::number(contact) + ")");
        t.SetFilterSql(QString());  // every status
        EXPECT_TRUE(dm_.OpenTableWithRights(t, false, false));
        t.Last();
        EXPECT_FALSE(t.IsEmpty());
        return t;
    }
    std::string Stored(Table& t, const char* column) {
        return Scalar("SELECT " + QString::fromLatin1(column) + " FROM " + t.TableName() +
                      " WHERE id=" + t.AsString("id"));
    }

    int company_ = 0;
    int contact_ = 0;
};

TEST_F(DocumentCompanyTest, ChoosingACompanyFillsOnlyWhatTheDocumentLacks) {
    const struct {
        DocumentKind kind;
        const char* address;
        int contact;
        QString wantAddress;
        bool defaultContact;
    } cases[] = {
        {DocumentKind::Order, "", 0, kBlock, true},
        {DocumentKind::Order, "Leveres på kaia", 0, QString::fromUtf8("Leveres på kaia"), true},
        {DocumentKind::Offer, "", 42, kBlock, false},
        {DocumentKind::Invoice, "", 0, kBlock, true},
        {DocumentKind::PurchaseOrder, "", 0, "", true},  // a purchase order keeps its own address
    };
    for (const auto& c : cases) {
        Table& doc = OpenDocument(c.kind, QString::fromUtf8(c.address), c.contact);
        ASSERT_TRUE(ChooseCompanyForDocument(doc, c.kind));
        EXPECT_TRUE(doc.IsEditing());
        EXPECT_EQ(doc.AsInteger("companyid"), company_);
        EXPECT_EQ(doc.AsString("deliveryaddress"), c.wantAddress) << c.address;
        EXPECT_EQ(doc.AsInteger("external_contact"), c.defaultContact ? contact_ : c.contact);
        // The contacts offered are the company's.
        EXPECT_EQ(crm_.ContactCondition(), "companyid=" + QString::number(company_));
        EXPECT_EQ(Column(dm_.ContactQuery(), "realname"), QStringList{"Kari Fjord"});
        // Nothing is saved until the document window saves.
        EXPECT_EQ(Stored(doc, "external_contact"), std::to_string(c.contact));
        ASSERT_TRUE(doc.Post()) << doc.LastError().toStdString();
        EXPECT_EQ(QString::fromStdString(Stored(doc, "deliveryaddress")), c.wantAddress);
    }
}

TEST_F(DocumentCompanyTest, TheAddressGoesIntoTheFirstOpenDocument) {
    Table& order = OpenDocument(DocumentKind::Order, "Gammel adresse", 0);
    Table& po = OpenDocument(DocumentKind::PurchaseOrder, "", 0);
    const int orderId = static_cast<int>(order.AsInteger("id"));
    const int poId = static_cast<int>(po.AsInteger("id"));

    // No open document: nothing written, the chooser mode ends.
    crm_.SetAddressChooserMode(true);
    EXPECT_FALSE(ShowsFetchAddressButton(OpenDocumentIds{}));
    EXPECT_TRUE(DoubleClickCopiesAddress());
    EXPECT_FALSE(CopyAddressToOpenDocument(OpenDocumentIds{}));
    EXPECT_FALSE(crm_.AddressChooserMode());
    EXPECT_FALSE(order.IsEditing());

    // Purchase order and order open: the order comes first.
    OpenDocumentIds open;
    open.orderId = orderId;
    open.poId = poId;
    crm_.SetAddressChooserMode(true);
    EXPECT_TRUE(ShowsFetchAddressButton(open));
    EXPECT_TRUE(ShowsCopyAddressItem(open));
    ASSERT_TRUE(CopyAddressToOpenDocument(open));
    EXPECT_FALSE(crm_.AddressChooserMode());
    EXPECT_FALSE(DoubleClickCopiesAddress());
    EXPECT_EQ(order.AsString("deliveryaddress"), kBlock);
    EXPECT_FALSE(po.IsEditing());
    EXPECT_EQ(Stored(order, "deliveryaddress"), "Gammel adresse");  // not posted
    order.Cancel();

    // Only the purchase order: its address is replaced; the table is moved to it first.
    ASSERT_TRUE(po.First());
    Exec("INSERT INTO po (ordernumber) VALUES (2)");
    ASSERT_TRUE(po.Refresh());
    ASSERT_TRUE(po.Last());
    ASSERT_NE(po.AsInteger("id"), poId);
    open.orderId = 0;
    EXPECT_FALSE(ShowsCopyAddressItem(open));
    ASSERT_TRUE(CopyAddressToOpenDocument(open));
    EXPECT_EQ(po.AsInteger("id"), poId);
    EXPECT_EQ(po.AsString("deliveryaddress"), kBlock);
    po.Cancel();

    // Closing the company list without copying ends the chooser mode too.
    crm_.SetAddressChooserMode(true);
    crm_.ClearAddressChooserMode();
    EXPECT_FALSE(DoubleClickCopiesAddress());
}

TEST_F(DocumentCompanyTest, TheVendorChooserHasOneRowPerVendorIdEvenForTheSameName) {
    const int twin1 = AddCompany("Tvilling AS");
    const int twin2 = AddCompany("Tvilling AS");
    Exec(QString(
             "INSERT INTO product (productcode, vendor) VALUES ('A1', %1), ('A2', %1), ('B1', %2), "
             "('C1', 9999), ('D1', NULL)")
             .arg(twin1)
             .arg(twin2));
    EXPECT_TRUE(CompanyMiniQuerySql("product").contains("group by `product`.vendor, companyname"));
    ASSERT_TRUE(OpenVendorChooser());
    Query& q = crm_.CompanyMiniQuery();
    ASSERT_EQ(q.RecordCount(), 4);
    QStringList rows;
    for (int i = 0; i < q.RecordCount(); ++i)
        rows << q.TextAt(i, "companyname") + "|" + QString::number(ChosenVendorId(i)) + "|" +
                    q.TextAt(i, "COUNT(*)");
    // Vendor ids that are no company (or none) give rows with an empty name.
    EXPECT_EQ(rows, (QStringList{"|0|1", "|9999|1", "Tvilling AS|" + QString::number(twin1) + "|2",
                                 "Tvilling AS|" + QString::number(twin2) + "|1"}));
    EXPECT_EQ(ChosenVendorId(-1), kNoVendorChosen);  // closed without a choice
    EXPECT_EQ(ChosenVendorId(4), kNoVendorChosen);
}

TEST_F(DocumentCompanyTest, TheEmployeeChooserTicksWholeInitialsAndWritesTheTickedOnes) {
    Exec(
        "INSERT INTO users (initials, realname, activ) VALUES ('AB', 'Anne Berg', 1), ('ABC', "
        "'Arne Bø', 1), "
        "('OLD', 'Sluttet', 0), ('KN', 'Kari Nes', 1)");
    Table& t = dm_.CompanyTable();
    ASSERT_TRUE(t.Edit());
    t.SetString("persons", "ABC, KN");
    ASSERT_TRUE(t.Post());

    std::vector<PersonChoice> shown;
    std::vector<bool> ticksShown;
    auto choose = [&](std::optional<std::vector<bool>> answer) {
        return [&shown, &ticksShown, answer](const std::vector<PersonChoice>& users,
                                             const std::vector<bool>& ticks) {
            shown = users;
            ticksShown = ticks;
            return answer;
        };
    };

    // Closing without "Hent" leaves the record alone.
    EXPECT_FALSE(PickPersons(t, choose(std::nullopt)));
    EXPECT_FALSE(t.IsEditing());
    ASSERT_EQ(shown.size(), 3u);  // active users only, by name
    EXPECT_EQ(PersonChoiceText(shown[0]), "AB, Anne Berg");
    EXPECT_EQ(PersonChoiceText(shown[1]), QString::fromUtf8("ABC, Arne Bø"));
    EXPECT_EQ(PersonChoiceText(shown[2]), "KN, Kari Nes");
    EXPECT_EQ(ticksShown, (std::vector<bool>{false, true, true}));  // "AB" is not "ABC"

    ASSERT_TRUE(PickPersons(t, choose(std::vector<bool>{true, false, true})));
    EXPECT_TRUE(t.IsEditing());
    EXPECT_EQ(t.AsString("persons"), "AB, KN");
    ASSERT_TRUE(t.Post());
    EXPECT_EQ(Scalar("SELECT persons FROM company WHERE id=" + QString::number(company_)),
              "AB, KN");

    // Nothing ticked stores an empty text; an empty text starts with nothing ticked.
    ASSERT_TRUE(PickPersons(t, choose(std::vector<bool>{false, false, false})));
    EXPECT_EQ(t.AsString("persons"), "");
    ASSERT_TRUE(t.Post());
    EXPECT_EQ(Scalar("SELECT persons FROM company WHERE id=" + QString::number(company_)), "");
    EXPECT_FALSE(PickPersons(t, choose(std::nullopt)));
    EXPECT_EQ(ticksShown, (std::vector<bool>{false, false, false}));
}

}  // namespace
