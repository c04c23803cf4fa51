#include "data/ui/UserDataForm.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/frame/AppContext.h"
#include "app/frame/FileOps.h"
#include "data/DataModule.h"
#include "ui/DetailSlider.h"
#include "ui/LaterVersion.h"
#include "ui/DbCheckBox.h"
#include "ui/DbLabel.h"
#include "ui/DbLineEdit.h"
#include "ui/DbMemo.h"
#include "ui/DbRadioGroup.h"

UserDataForm::UserDataForm(QWidget* parent) : WindowBase<QDialog>(QStringLiteral("UserDataForm"), parent), commands_(this) {
    Table& t = users();
    auto edit = [&](const char* column) {
        auto* e = new DbLineEdit(&t, QString::fromLatin1(column), this);
        e->setObjectName(QString::fromLatin1(column));
        return e;
    };

    // Basic panel.
    auto* basic = new QWidget(this);
    auto* basicForm = new QFormLayout(basic);
    basicForm->addRow(QStringLiteral("Initialer:"), edit("initials"));
    basicForm->addRow(QStringLiteral("Navn:"), edit("realname"));
    auto* emailRow = new QHBoxLayout;
    emailRow->addWidget(edit("email"));
    auto* mailButton = new QToolButton(this);
    mailButton->setText(QStringLiteral("@"));
    mailButton->setToolTip(QStringLiteral("Ny epost"));
    connect(mailButton, &QToolButton::clicked, this, [] { ShowLaterVersion(); });
    emailRow->addWidget(mailButton);
    basicForm->addRow(QStringLiteral("Epost:"), emailRow);
    basicForm->addRow(QStringLiteral("Mobiltelefon:"), edit("mobilephone"));
    basicForm->addRow(QStringLiteral("Hjemmetelefon:"), edit("homephone"));
    basicForm->addRow(QStringLiteral("Jobbtelefon:"), edit("internalphone"));
    auto* numberRow = new QHBoxLayout;
    numberRow->addWidget(new DbLabel(&t, QStringLiteral("id"), this), 1);
    numberRow->addWidget(new QLabel(QStringLiteral("Tag:"), this));
    numberRow->addWidget(edit("usertag"), 1);
    auto* published = new DbCheckBox(QStringLiteral("Publisert"), &t, QStringLiteral("rwx_all"), this);
    published->SetValues(QStringLiteral("5"), QStringLiteral("0"));
    numberRow->addWidget(published);
    basicForm->addRow(QStringLiteral("Nr.:"), numberRow);

    // Address panel.
    auto* address = new QWidget(this);
    auto* addressForm = new QFormLayout(address);
    addressForm->addRow(QStringLiteral("Gateadresse:"), edit("streetaddress"));
    addressForm->addRow(QStringLiteral("Postadresse:"), edit("postaladdress"));
    auto* placeRow = new QHBoxLayout;
    DbLineEdit* postalCode = edit("postalcode");
    postalCode->setMaximumWidth(70);
    placeRow->addWidget(postalCode);
    placeRow->addWidget(edit("city"), 1);
    addressForm->addRow(QStringLiteral("Poststed:"), placeRow);
    addressForm->addRow(QStringLiteral("Avdeling:"), edit("department"));
    addressForm->addRow(QStringLiteral("Stilling:"), edit("title"));
    auto* homeRow = new QHBoxLayout;
    DbLineEdit* homepage = edit("homepage");
    homeRow->addWidget(homepage);
    auto* webButton = new QToolButton(this);
    webButton->setText(QStringLiteral("..."));
    webButton->setToolTip(QStringLiteral("Åpne hjemmesiden"));
    connect(webButton, &QToolButton::clicked, this, [homepage] {
        if (!homepage->text().trimmed().isEmpty()) ShellOpen(homepage->text().trimmed());
    });
    homeRow->addWidget(webButton);
    addressForm->addRow(QStringLiteral("Hjemmeside:"), homeRow);
    auto* gender = new DbRadioGroup(QString(), {{"Ukjent", "0"}, {"Mann", "1"}, {"Kvinne", "2"}}, this);
    gender->setObjectName(QStringLiteral("gender"));
    gender->SetDataSource(&t, QStringLiteral("gender"));
    gender->setFlat(true);
    addressForm->addRow(QStringLiteral("Kjønn:"), gender);
    addressForm->addRow(QStringLiteral("Fødselsdato:"), edit("birth"));
    addressForm->addRow(QStringLiteral("Personnummer:"), edit("ssid"));

    // Notes.
    auto* notes = new DbMemo(&t, QStringLiteral("object_text"), this);
    notes->setObjectName(QStringLiteral("object_text"));

    slider_ = new DetailSlider({basic, address, notes}, this);
    connect(slider_, &QSlider::valueChanged, this, [this] { SetDiverse(slider_->LevelText()); adjustSize(); });

    const Qt::Key ctrl = Qt::Key(Qt::CTRL);
    QAction* save = commands_.Add("Lagre", "Lagre", QKeySequence(ctrl | Qt::Key_S), [this] { Save(); });
    QAction* cancel = commands_.Add("Avbryt", [this] { users().Cancel(); });
    QAction* add = commands_.Add("Ny post", "Ny ansatt", QKeySequence(ctrl | Qt::Key_N), [this] {
        if (!users().Insert()) ShowMessage(QStringLiteral("FEIL"), users().LastError());
    });
    auto move = [this](bool (Dataset::*step)()) {
        Table& u = users();
        (u.*step)();
        if (u.IsEditing()) ShowMessage(QStringLiteral("FEIL"), u.LastError());  // could not save before moving
    };
    QAction* first = commands_.Add("Første post", "|<", QKeySequence(), [move] { move(&Dataset::First); });
    QAction* prior = commands_.Add("Forrige post", "<", QKeySequence(), [move] { move(&Dataset::Prior); });
    QAction* next = commands_.Add("Neste post", ">", QKeySequence(), [move] { move(&Dataset::Next); });
    QAction* last = commands_.Add("Siste post", ">|", QKeySequence(), [move] { move(&Dataset::Last); });
    QAction* access = commands_.Add("Brukertilgang", [this] {
        if (openAccess_) openAccess_();
    });
    QAction* documents = commands_.Add("Dokumenter", [] { ShowLaterVersion(); });

    auto* top = new QHBoxLayout;
    for (QAction* a : {save, cancel, add, first, prior, next, last, access, documents}) top->addWidget(commands_.Button(a, this));
    top->addStretch();
    top->addWidget(slider_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(basic);
    layout->addWidget(address);
    layout->addWidget(notes, 1);

    notifier_ = DM().AddRecordWindowNotifier(QStringLiteral("users"), [this] { UpdateCommands(); });
    scrollId_ = t.AfterScroll().Add([this](Dataset&) {
        UpdateCaption();
        UpdateCommands();
    });
    UpdateCaption();
    UpdateCommands();
}

UserDataForm::~UserDataForm() {
    if (DataModule::HasCurrent()) {
        DM().RemoveRecordWindowNotifier(notifier_);
        users().AfterScroll().Remove(scrollId_);
    }
}

Table& UserDataForm::users() const { return DM().UsersTable(); }

DbLineEdit* UserDataForm::Edit(const QString& column) const { return findChild<DbLineEdit*>(column); }

void UserDataForm::showEvent(QShowEvent* event) {
    WindowBase<QDialog>::showEvent(event);
    if (event->spontaneous()) return;
    slider_->SetLevelText(Diverse());
    SetDiverse(slider_->LevelText());
    UpdateCaption();
    UpdateCommands();
}

void UserDataForm::UpdateCaption() {
    setWindowTitle(QStringLiteral("Brukerdata [") + users().AsString(QStringLiteral("id")) + QStringLiteral("]"));
}

void UserDataForm::UpdateCommands() {
    const bool editing = users().IsEditing();
    Command(QStringLiteral("Lagre"))->setEnabled(editing);
    Command(QStringLiteral("Avbryt"))->setEnabled(editing);
    Command(QStringLiteral("Ny post"))->setEnabled(!editing);
}

void UserDataForm::Save() {
    if (!users().Post()) ShowMessage(QStringLiteral("FEIL"), users().LastError());
}
