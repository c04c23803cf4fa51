#include "products/ProductRules.h"

#include <QDate>

#include <cmath>

#include "app/frame/AppContext.h"
#include "app/frame/TextHelpers.h"
#include "data/DataModule.h"
#include "data/RecordHeader.h"
#include "products/PriceRules.h"

namespace {

ProductRules* g_current = nullptr;

const QString kPriceInclVat = QStringLiteral("PriceInclVAT");
const QString kVendorName = QStringLiteral("product_companyname");

// Sets a number only when it differs, so that an unchanged column is not written.
void SetFloatIfDifferent(Dataset& d, const QString& name, double value) {
    if (d.IsNull(name) || d.AsFloat(name) != value) d.SetFloat(name, value);
}

void SetIntegerIfDifferent(Dataset& d, const QString& name, qint64 value) {
    if (d.IsNull(name) || d.AsInteger(name) != value) d.SetInteger(name, value);
}

// True when the text reads as a number the server takes.
bool IsNumberText(const QString& text) {
    bool ok = false;
    text.trimmed().toDouble(&ok);
    return ok;
}

// Number fields typed with text that is not a number get the number the text holds.
void RepairNumberTexts(Dataset& d) {
    for (int i = 0; i < d.FieldCount(); ++i) {
        Field* f = d.FieldAt(i);
        if (f->Kind() != FieldKind::Data || !f->IsNumeric() || !f->IsWritable() || f->IsNull())
            continue;
        if (!d.IsFieldChanged(*f)) continue;
        const QString text = f->AsString();
        if (IsNumberText(text)) continue;
        const double value = ParseNumber(text);
        if (f->Type() == FieldType::Integer)
            f->SetInteger(std::llround(value));
        else
            f->SetFloat(value);
    }
}

}  // namespace

ProductRules::ProductRules(DataModule& module) : module_(module), previous_(g_current) {
    g_current = this;
    Table& t = module_.ProductTable();
    if (!t.FieldByName(kVendorName))
        t.AddLookupField(kVendorName, QStringLiteral("vendor"),
                         module_.LookupQuery(Lookup::Companies), QStringLiteral("id"),
                         QStringLiteral("companyname"));
    if (!t.FieldByName(kPriceInclVat)) t.AddCalculatedField(kPriceInclVat, FieldType::Float);
    newRecordId_ = t.OnNewRecord().Add([this](Dataset& d) { ProductTableNewRecord(d); });
    beforeEditId_ = t.BeforeEdit().Add([this](Dataset& d, Veto&) { ProductTableBeforeEdit(d); });
    beforePostId_ = t.BeforePost().Add([this](Dataset& d, Veto&) { ProductTableBeforePost(d); });
    calcId_ = t.OnCalcFields().Add([this](Dataset& d) { ProductTableCalcFields(d); });
}

ProductRules::~ProductRules() {
    Table& t = module_.ProductTable();
    t.OnNewRecord().Remove(newRecordId_);
    t.BeforeEdit().Remove(beforeEditId_);
    t.BeforePost().Remove(beforePostId_);
    t.OnCalcFields().Remove(calcId_);
    if (g_current == this) g_current = previous_;
}

ProductRules* ProductRules::Current() { return g_current; }

void ProductRules::RememberDefaults(const QString& piece, const QString& group, double addPercent) {
    lastPiece_ = piece;
    lastGroup_ = group;
    lastAddPercent_ = addPercent;
}

void ProductRules::ProductTableNewRecord(Dataset& d) {
    ApplyNewRecordDefaults(d, Ctx().logon());
    d.SetFloat(QStringLiteral("value"), 100);
    d.SetInteger(QStringLiteral("web"), 0);
    d.SetInteger(QStringLiteral("sale"), 0);
    d.SetInteger(QStringLiteral("user_favorite"), 0);
    d.SetDate(QStringLiteral("lastpriceupdate"), QDate::currentDate());
    d.SetInteger(QStringLiteral("ownproduction"), 0);
    d.SetString(QStringLiteral("piece"), lastPiece_);
    d.SetString(QStringLiteral("productgroup"), lastGroup_);
    d.SetFloat(QStringLiteral("addpercent"), lastAddPercent_);
    d.SetFloat(QStringLiteral("addsum"), 0);
    d.SetInteger(QStringLiteral("vatcode"), 0);
    for (const char* column :
         {"instock", "insale", "inorder", "direct_cost", "freight", "discount"})
        d.SetFloat(QLatin1String(column), 0);
    d.SetInteger(QStringLiteral("recalc_id"), 0);
    editPrice_ = editRealCost_ = std::numeric_limits<double>::quiet_NaN();
}

void ProductRules::ProductTableBeforeEdit(Dataset& d) {
    editPrice_ = d.AsFloat(QStringLiteral("price"));
    editRealCost_ = d.AsFloat(QStringLiteral("real_cost"));
}

void ProductRules::ProductTableBeforePost(Dataset& d) {
    RepairNumberTexts(d);
    const LogonValues& logon = Ctx().logon();
    const FrameSettings& settings = Ctx().settings();

    // 1. The price as entered.
    const double entered = d.AsFloat(QStringLiteral("price"));
    // 2. Saleability 0 means fully saleable.
    if (d.AsFloat(QStringLiteral("value")) == 0) d.SetFloat(QStringLiteral("value"), 100);
    // 3. Real cost.
    const double cost = d.AsFloat(QStringLiteral("cost"));
    const double realCost =
        RealCost(cost, d.AsFloat(QStringLiteral("discount")), d.AsFloat(QStringLiteral("freight")),
                 d.AsFloat(QStringLiteral("direct_cost")));
    SetFloatIfDifferent(d, QStringLiteral("real_cost"), realCost);
    // 4. The new price; 5. rounded when the company rounds to whole kroner.
    double price = CalculatedPrice(cost, realCost, d.AsFloat(QStringLiteral("addsum")),
                                   d.AsFloat(QStringLiteral("addpercent")));
    price = RoundPrice(price, settings.KroneAvrunding, settings.Krone4Avrunding);
    // 6. A locked price stays as typed.
    const qint64 usertag = d.AsInteger(QStringLiteral("usertag"));
    SetFloatIfDifferent(d, QStringLiteral("price"), usertag != 0 ? entered : price);
    // 7. The saving user owns the row; the maximum stock is never below the minimum.
    SetIntegerIfDifferent(d, QStringLiteral("usergroup"), logon.CurrentGroupId);
    SetIntegerIfDifferent(d, QStringLiteral("user"), logon.CurrentUserId);
    const double minStock = d.AsFloat(QStringLiteral("minstock"));
    if (d.AsFloat(QStringLiteral("maxstock")) < minStock)
        d.SetFloat(QStringLiteral("maxstock"), minStock);
    // 8. Defaults for the next new product.
    RememberDefaults(d.AsString(QStringLiteral("piece")),
                     d.AsString(QStringLiteral("productgroup")),
                     d.AsFloat(QStringLiteral("addpercent")));
    // 9. Date of the last price change; package and lock flags are 1 or 0.
    if (d.AsFloat(QStringLiteral("real_cost")) != editRealCost_ ||
        d.AsFloat(QStringLiteral("price")) != editPrice_)
        d.SetDate(QStringLiteral("lastpriceupdate"), QDate::currentDate());
    if (d.AsInteger(QStringLiteral("recalc_id")) != 1)
        SetIntegerIfDifferent(d, QStringLiteral("recalc_id"), 0);
    if (usertag != 1) SetIntegerIfDifferent(d, QStringLiteral("usertag"), 0);
    // The next save of this row compares with what it stores now.
    editPrice_ = d.AsFloat(QStringLiteral("price"));
    editRealCost_ = d.AsFloat(QStringLiteral("real_cost"));
}

void ProductRules::ProductTableCalcFields(Dataset& d) {
    if (Field* f = d.FieldByName(kPriceInclVat))
        f->SetFloat(PriceInclVat(d.AsFloat(QStringLiteral("price")),
                                 d.AsInteger(QStringLiteral("vatcode"))));
}

QString ProductSaveErrorMessage(const QString& code, unsigned errnum, const QString& serverError) {
    if (errnum == 1062)
        return QStringLiteral("Varenummeret ") + code + QStringLiteral(" finnes allerede.");
    return QStringLiteral("Kunne ikke lagre varen ") + code + QStringLiteral(": ") + serverError;
}

bool SaveProduct(Table& product) {
    if (!product.IsEditing()) return product.IsActive();
    if (product.Post()) return true;
    const QString code = product.AsString(QStringLiteral("productcode"));
    const QString message =
        ProductSaveErrorMessage(code, product.connection().LastErrno(), product.LastError());
    Ctx().log().WriteLog(QStringLiteral("FEIL: ") + message);
    ShowMessage(QStringLiteral("FEIL"), message);
    return false;
}
