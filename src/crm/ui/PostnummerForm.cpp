// The postal code window, on the postal register's lookup.
#include "crm/ui/PostnummerForm.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "crm/PostalPlace.h"
#include "crm/PostalRegister.h"
#include "ui/DownloadForm.h"
#include "ui/WindowRegistry.h"

namespace {
const QString kWindowName = QStringLiteral("PostnummerForm");

QLineEdit* ShownText(const QString& name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::ClickFocus);
    return edit;
}
}  // namespace

PostnummerForm::PostnummerForm(QWidget* parent) : WindowBase<QDialog>(kWindowName, parent) {
    SetOnlyPos(true);
    setWindowTitle(QStringLiteral("Postnummer"));
    setWindowFlag(Qt::Tool);

    code_ = new QLineEdit(this);
    code_->setObjectName(QStringLiteral("postalcode"));
    code_->setMaxLength(6);
    code_->setFixedWidth(70);
    place_ = ShownText(QStringLiteral("place"), this);
    number_ = ShownText(QStringLiteral("municipalityNumber"), this);
    number_->setFixedWidth(70);
    municipality_ = ShownText(QStringLiteral("municipality"), this);
    county_ = ShownText(QStringLiteral("county"), this);
    category_ = ShownText(QStringLiteral("category"), this);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Postnummer:"), code_);
    form->addRow(QStringLiteral("Poststed:"), place_);
    form->addRow(QStringLiteral("Kommunenr.:"), number_);
    form->addRow(QStringLiteral("Kommune:"), municipality_);
    form->addRow(QStringLiteral("Fylke:"), county_);
    form->addRow(QStringLiteral("Kategori:"), category_);

    download_ = new QPushButton(QStringLiteral("Last ned postfil"), this);
    download_->setObjectName(QStringLiteral("download"));
    download_->setAutoDefault(false);
    download_->hide();
    connect(download_, &QPushButton::clicked, this, [this] { DownloadRegister(); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(download_, 0, Qt::AlignRight);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    place_->setMinimumWidth(240);

    // Typing the fourth character looks the code up.
    connect(code_, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (isVisible() && text.trimmed().size() == 4) Lookup();
    });

    RegisterWindow(kWindowName, this, [this](const QString& code) { ShowCode(code); });
}

PostnummerForm::~PostnummerForm() { UnregisterWindow(kWindowName, this); }

void PostnummerForm::ShowCode(const QString& code) {
    if (isVisible()) {
        code_->setText(code.trimmed());  // looks up when four characters long
        if (code_->text().size() != 4) ShowResult({}, {}, {}, {}, {});
    } else {
        code_->setText(code.trimmed());
        show();  // looks up
    }
    raise();
    activateWindow();
}

void PostnummerForm::showEvent(QShowEvent* event) {
    WindowBase<QDialog>::showEvent(event);
    if (event->spontaneous()) return;
    // Another code than the last one: nothing of the last one stays shown.
    if (!Lookup()) ShowResult({}, {}, {}, {}, {});
}

bool PostnummerForm::Lookup() {
    const PostalLookupResult result = LookupPostalCode(code_->text().trimmed());
    if (!result.lookedUp) return false;
    if (result.status == PostalStatus::RegisterMissing) {
        ShowResult({}, {}, {}, {}, {});
        ShowDownloadButton();
        return true;
    }
    download_->hide();
    ShowResult(result.place, result.municipalityNumber, result.municipality, result.county, result.category);
    return true;
}

void PostnummerForm::ShowDownloadButton() {
    const bool serverSet = !PostalDownloadAddress().isEmpty();
    download_->setEnabled(serverSet);
    download_->setToolTip(serverSet ? QStringLiteral("Henter postnummerregisteret fra nedlastingsserveren")
                                    : QStringLiteral("Ingen nedlastingsserver er satt (") + kPostalDownloadServerKey +
                                          QStringLiteral(" i sevrante.ini)"));
    download_->show();
}

bool PostnummerForm::DownloadRegister() {
    QString address = PostalDownloadAddress();
    if (address.isEmpty()) return false;
    address.replace(QLatin1Char(' '), QStringLiteral("%20"));
    // The download window reports a failure itself; the button stays for another try.
    if (!DownloadForm::Download(address, PostalRegisterPath(), this)) return false;
    download_->hide();
    Lookup();
    return true;
}

void PostnummerForm::ShowResult(const QString& place, const QString& number, const QString& municipality,
                                const QString& county, const QString& category) {
    place_->setText(place);
    number_->setText(number);
    municipality_->setText(municipality);
    county_->setText(county);
    category_->setText(category);
    for (QLineEdit* e : {place_, number_, municipality_, county_, category_}) e->setCursorPosition(0);
}

QString PostnummerForm::PlaceText() const { return place_->text(); }
QString PostnummerForm::MunicipalityNumberText() const { return number_->text(); }
QString PostnummerForm::MunicipalityText() const { return municipality_->text(); }
QString PostnummerForm::CountyText() const { return county_->text(); }
QString PostnummerForm::CategoryText() const { return category_->text(); }
