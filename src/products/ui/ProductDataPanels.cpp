// The product window's panels: the basic fields, the prices, the stock and what lies below.
#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

#include "data/DataModule.h"
#include "products/ui/ProductDataForm.h"
#include "ui/DbCheckBox.h"
#include "ui/DbDateEdit.h"
#include "ui/DbLineEdit.h"
#include "ui/DbLookupCombo.h"
#include "ui/DbMemo.h"

namespace {

// A panel of captioned rows: caption, field and an optional second field beside it.
class Rows {
  public:
    explicit Rows(QWidget* panel) : grid_(new QGridLayout(panel)) {
        grid_->setContentsMargins(4, 4, 4, 4);
        grid_->setHorizontalSpacing(6);
        grid_->setVerticalSpacing(3);
        grid_->setColumnStretch(1, 1);
    }
    void Add(const QString& caption, QWidget* field, QWidget* beside = nullptr) {
        if (!caption.isEmpty()) grid_->addWidget(new QLabel(caption, field->parentWidget()), row_, 0);
        if (beside) {
            grid_->addWidget(field, row_, 1);
            grid_->addWidget(beside, row_, 2);
        } else {
            grid_->addWidget(field, row_, 1, 1, 2);
        }
        ++row_;
    }
    QGridLayout* grid() const { return grid_; }

  private:
    QGridLayout* grid_;
    int row_ = 0;
};

QWidget* Panel(QWidget* parent, const QString& name) {
    auto* panel = new QWidget(parent);
    panel->setObjectName(name);
    return panel;
}

}  // namespace

QWidget* ProductDataForm::BuildBasicPanel() {
    QWidget* panel = Panel(this, QStringLiteral("basicPanel"));
    Rows rows(panel);
    rows.grid()->setColumnMinimumWidth(0, 140);  // aligned with the price panel below
    Dataset* d = &dataset();
    auto* ean = new QToolButton(panel);
    ean->setObjectName(QStringLiteral("eanButton"));
    ean->setText(QStringLiteral("EAN"));
    ean->setToolTip(QStringLiteral("Lag EAN-nummer av varenummeret"));
    connect(ean, &QToolButton::clicked, this, [this] { FillEan(); });
    rows.Add(QStringLiteral("Varenummer:"), TextEdit(QStringLiteral("productcode"), panel), ean);
    rows.Add(QStringLiteral("EAN:"), TextEdit(QStringLiteral("EAN"), panel));
    rows.Add(QStringLiteral("Varegruppe:"), TextEdit(QStringLiteral("productgroup"), panel));
    rows.Add(QStringLiteral("Varenavn:"), TextEdit(QStringLiteral("producttext"), panel));
    auto* internal = new DbMemo(d, QStringLiteral("internaltext"), panel);
    internal->setObjectName(QStringLiteral("internaltext"));
    internal->setPlaceholderText(QStringLiteral("Internt notat (skrives ikke ut)"));
    internal->setFixedHeight(48);
    rows.Add(QString(), internal);

    auto* checks = new QWidget(panel);
    auto* checkRow = new QGridLayout(checks);
    checkRow->setContentsMargins(0, 0, 0, 0);
    auto box = [&](const QString& caption, const char* column, const char* on, const char* off, int r, int c) {
        auto* b = new DbCheckBox(caption, d, QLatin1String(column), checks);
        b->setObjectName(QLatin1String(column));
        b->SetValues(QLatin1String(on), QLatin1String(off));
        checkRow->addWidget(b, r, c);
        return b;
    };
    box(QStringLiteral("I nettbutikken"), "web", "1", "0", 0, 0);
    box(QStringLiteral("På salg"), "sale", "1", "0", 0, 1);
    box(QStringLiteral("Favoritt"), "user_favorite", "1", "0", 0, 2);
    box(QStringLiteral("Publisert"), "rwx_all", "5", "0", 1, 0);
    package_ = box(QStringLiteral("PAKKE"), "recalc_id", "1", "0", 1, 1);
    QFont bold = package_->font();
    bold.setBold(true);
    package_->setFont(bold);
    // After the box's own handler has written the value.
    connect(package_, &QCheckBox::clicked, this, [this] { UpdateRowDependent(); });
    packageLinesButton_ = commands().Button(packageLines_, checks);
    packageLinesButton_->setObjectName(QStringLiteral("packageLinesButton"));
    checkRow->addWidget(packageLinesButton_, 1, 2);
    rows.Add(QString(), checks);

    auto* lock = new DbCheckBox(QStringLiteral("Lås utpris"), d, QStringLiteral("usertag"), panel);
    lock->setObjectName(QStringLiteral("usertag"));
    lock->setToolTip(QStringLiteral("Utpris blir ikke kalkulert av kostpris, men er fat"));
    rows.Add(QStringLiteral("Kostpris:"), NumberEdit(QStringLiteral("real_cost"), panel));
    rows.Add(QStringLiteral("Utpris:"), NumberEdit(QStringLiteral("price"), panel), lock);
    rows.Add(QStringLiteral("Enhet:"), TextEdit(QStringLiteral("piece"), panel));
    return panel;
}

QWidget* ProductDataForm::BuildPricePanel() {
    QWidget* panel = Panel(this, QStringLiteral("pricePanel"));
    Rows rows(panel);
    rows.grid()->setColumnMinimumWidth(0, 140);
    rows.Add(QStringLiteral("Innpris:"), NumberEdit(QStringLiteral("cost"), panel));
    rows.Add(QStringLiteral("Rabatt %:"), NumberEdit(QStringLiteral("discount"), panel));
    rows.Add(QStringLiteral("Direkte kost."), NumberEdit(QStringLiteral("direct_cost"), panel));
    rows.Add(QStringLiteral("Frakt:"), NumberEdit(QStringLiteral("freight"), panel));
    rows.Add(QStringLiteral("Påslag %"), NumberEdit(QStringLiteral("addpercent"), panel));
    rows.Add(QStringLiteral("Påslag kr.:"), NumberEdit(QStringLiteral("addsum"), panel));
    DbLineEdit* vat = NumberEdit(QStringLiteral("vatcode"), panel, false);
    vat->setToolTip(QStringLiteral("0 = 25 %, 1 = 15 %, 2 = 12 %, 3 = 8 %, 4 = 0 %"));
    rows.Add(QStringLiteral("Momskode:"), vat);
    rows.Add(QStringLiteral("Oppdatert:"), DateEdit(QStringLiteral("lastpriceupdate"), panel));
    Query& companies = DM().LookupQuery(Lookup::Companies);
    auto vendor = [&](const char* column) {
        auto* combo = new DbLookupCombo(panel);
        combo->setObjectName(QLatin1String(column));
        combo->SetDataSource(&dataset(), QLatin1String(column));
        combo->SetLookup(&companies, QStringLiteral("id"), QStringLiteral("companyname"));
        combo->setMinimumContentsLength(18);
        combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        return combo;
    };
    rows.Add(QStringLiteral("Hovedleverandør:"), vendor("vendor"));
    rows.Add(QStringLiteral("Varenummer:"), TextEdit(QStringLiteral("vendorid"), panel));
    rows.Add(QStringLiteral("Alternativ leverandør:"), vendor("vendor2"));
    rows.Add(QStringLiteral("Varenummer:"), TextEdit(QStringLiteral("vendorid2"), panel));
    return panel;
}

QWidget* ProductDataForm::BuildStockPanel() {
    QWidget* panel = Panel(this, QStringLiteral("stockPanel"));
    Rows rows(panel);
    rows.Add(QStringLiteral("I ordre:"), NumberEdit(QStringLiteral("insale"), panel));
    rows.Add(QStringLiteral("I bestilling:"), NumberEdit(QStringLiteral("inorder"), panel));
    rows.Add(QStringLiteral("På lager:"), NumberEdit(QStringLiteral("instock"), panel));
    rows.Add(QStringLiteral("Min. på lager:"), NumberEdit(QStringLiteral("minstock"), panel));
    rows.Add(QStringLiteral("Max. på lager:"), NumberEdit(QStringLiteral("maxstock"), panel));
    rows.Add(QStringLiteral("Kuranse %:"), NumberEdit(QStringLiteral("value"), panel));
    rows.Add(QStringLiteral("Først inn på lager:"), DateEdit(QStringLiteral("firstsale"), panel));
    rows.Add(QStringLiteral("Sist inn på lager:"), DateEdit(QStringLiteral("lastorder"), panel));
    rows.Add(QStringLiteral("Sist ut fra lager:"), DateEdit(QStringLiteral("lastsale"), panel));
    rows.Add(QStringLiteral("Lagerlokasjon:"), TextEdit(QStringLiteral("location"), panel));
    rows.Add(QStringLiteral("Lagerposisjon:"), TextEdit(QStringLiteral("locationpos"), panel));
    auto* own = new DbCheckBox(QStringLiteral("Egenprodusert"), &dataset(), QStringLiteral("ownproduction"), panel);
    own->setObjectName(QStringLiteral("ownproduction"));
    rows.Add(QString(), own);
    rows.Add(QStringLiteral("Arbeid:"), NumberEdit(QStringLiteral("internalwork"), panel));
    rows.grid()->setRowStretch(13, 1);
    return panel;
}

QWidget* ProductDataForm::BuildBelowPanel() {
    QWidget* panel = Panel(this, QStringLiteral("belowPanel"));
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(4, 4, 4, 4);
    auto* text = new DbMemo(&dataset(), QStringLiteral("object_text"), panel);
    text->setObjectName(QStringLiteral("object_text"));
    text->setMinimumHeight(70);
    row->addWidget(text, 1);
    barcode_ = new QLabel(panel);
    barcode_->setObjectName(QStringLiteral("barcode"));
    barcode_->setAlignment(Qt::AlignCenter);
    barcode_->setFixedSize(280, 110);
    row->addWidget(barcode_);
    return panel;
}
