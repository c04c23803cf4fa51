// The company window, on the company and contact rules and the postal register.
#include "crm/ui/CompanyDataForm.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/frame/FileOps.h"
#include "app/frame/Prompter.h"
#include "crm/CompanyRules.h"
#include "crm/ContactRules.h"
#include "crm/CrmModule.h"
#include "crm/PostalPlace.h"
#include "crm/RelatedLists.h"
#include "data/DataModule.h"
#include "ui/DbCheckBox.h"
#include "ui/DbFieldLink.h"
#include "ui/DbLineEdit.h"
#include "ui/DbLookupCombo.h"
#include "ui/DbMemo.h"
#include "ui/DbNavigator.h"
#include "ui/WindowRegistry.h"

namespace {
const QString kWindowName = QStringLiteral("CompanyDataForm");

}  // namespace

CompanyDataForm::CompanyDataForm(QWidget* parent)
    : RecordWindowBase(kWindowName, QStringLiteral("Firmadata"), DM().CompanyTable(), parent),
      shellOpen_([](const QString& target) { return ShellOpen(target); }) {
    BuildCommands();

    auto* notes = new DbMemo(&dataset(), QStringLiteral("object_text"), this);
    notes->setObjectName(QStringLiteral("object_text"));
    notes->setMinimumHeight(110);
    SetPanels({BuildBasicPanel(), BuildExtendedPanel(), notes});
    resize(760, sizeHint().height());

    // Whatever moves the table (the navigator, the list) moves the contacts along.
    auto moved = [this](Dataset&) {
        UpdateIniButton();
        if (isVisible()) ContactsFollowCompany(false);
    };
    eventIds_ = {dataset().AfterScroll().Add(moved), dataset().AfterPost().Add(moved)};

    RegisterWindow(kWindowName, this, [this](const QString&) { ShowRecord(); });
}

CompanyDataForm::~CompanyDataForm() {
    UnregisterWindow(kWindowName, this);
    dataset().AfterScroll().Remove(eventIds_[0]);
    dataset().AfterPost().Remove(eventIds_[1]);
}

void CompanyDataForm::BuildCommands() {
    QAction* add = Command(QStringLiteral("Ny"));
    add->setText(QStringLiteral("Ny post"));
    add->setIconText(QStringLiteral("Nytt firma"));

    // The navigator shows first, previous, next and last; these carry the keys.
    commands().Add("Første post", "Første post", QKeySequence(), [this] { Move(&Dataset::First); });
    commands().Add("Forrige post", "Forrige post", QKeySequence(Qt::Key_PageUp), [this] { Move(&Dataset::Prior); });
    commands().Add("Neste post", "Neste post", QKeySequence(Qt::Key_PageDown), [this] { Move(&Dataset::Next); });
    commands().Add("Siste post", "Siste post", QKeySequence(), [this] { Move(&Dataset::Last); });

    QAction* contacts = commands().Add("Kontakter", [this] {
        ShowCompanyRelated(RelatedList::Contacts, CurrentCompanyId());
    });
    QAction* hours = commands().Add("Timeregistreringer", [this] {
        ShowCompanyRelated(RelatedList::TimeRegistrations, CurrentCompanyId());
    });
    QAction* documents = commands().Add("Dokumenter", [this] {
        ShowCompanyRelated(RelatedList::Documents, CurrentCompanyId());
    });
    QAction* ini = commands().Add("INI", [this] { ShowIni(); });
    QAction* mainMenu = commands().Add("Hovedmeny", "Hovedmeny", QKeySequence(Qt::Key_F10),
                                       [] { ShowWindow(QStringLiteral("MainWindow")); });

    int at = toolRow()->count() - 1;  // before the stretch
    for (QAction* a : {contacts, hours, documents}) toolRow()->insertWidget(at++, commands().Button(a, this));
    iniButton_ = commands().Button(ini, this);
    iniButton_->setObjectName(QStringLiteral("ini"));
    iniButton_->setToolTip(QStringLiteral("Firmaets innstillingsfil (sevrante.ini)"));
    toolRow()->insertWidget(at++, iniButton_);
    toolRow()->insertWidget(at, commands().Button(mainMenu, this));
    UpdateIniButton();

    commands().Add("Åpne lokal mappe", [this] { OpenLocalFolder(); });
    commands().Add("Åpne mappen i nettleser", [this] { OpenFolderInBrowser(); });
    commands().Add("Sett inn mappeplasering", [this] { InsertFolderLocation(); });
}

QWidget* CompanyDataForm::BuildBasicPanel() {
    auto* panel = new QWidget(this);
    auto* form = new QFormLayout(panel);
    form->setContentsMargins(0, 4, 0, 0);
    form->addRow(QStringLiteral("Firmanavn:"), TextEdit(QStringLiteral("companyname"), panel));
    auto* phones = new QHBoxLayout;
    phones->addWidget(TextEdit(QStringLiteral("phone"), panel), 1);
    phones->addSpacing(12);
    phones->addWidget(new QLabel(QStringLiteral("Telefax:"), panel));
    phones->addWidget(TextEdit(QStringLiteral("telefax"), panel), 1);
    form->addRow(QStringLiteral("Telefon:"), phones);

    QToolButton* mail = SmallButton(QStringLiteral("mailTo"), QStringLiteral("@"), QStringLiteral("Send epost"), panel);
    connect(mail, &QToolButton::clicked, this, [this] { MailTo(); });
    form->addRow(QStringLiteral("Epost:"), FieldWithButton(TextEdit(QStringLiteral("email"), panel), mail));
    QToolButton* web =
        SmallButton(QStringLiteral("openHomepage"), QStringLiteral("..."), QStringLiteral("Åpne hjemmesiden"), panel);
    connect(web, &QToolButton::clicked, this, [this] { OpenHomepage(); });
    form->addRow(QStringLiteral("Hjemmeside:"), FieldWithButton(TextEdit(QStringLiteral("homepage"), panel), web));

    DbLookupCombo* contact = LookupCombo(QStringLiteral("defaultcontact"), DM().ContactQuery(),
                                         QStringLiteral("realname"), panel);
    QToolButton* person = SmallButton(QStringLiteral("companyContact"), QStringLiteral("..."),
                                      QStringLiteral("Kontaktvinduet for firmaets kontakter"), panel);
    connect(person, &QToolButton::clicked, this, [this] { ShowCompanyContact(); });
    form->addRow(QStringLiteral("Kontakt:"), FieldWithButton(contact, person));
    return panel;
}

QWidget* CompanyDataForm::BuildExtendedPanel() {
    auto* panel = new QWidget(this);
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 4, 0, 0);
    grid->setHorizontalSpacing(18);

    auto* left = new QFormLayout;
    DbLineEdit* custno = TextEdit(QStringLiteral("custno"), panel);
    custno->setMaxLength(8);
    left->addRow(QStringLiteral("Kundenr.:"), custno);
    left->addRow(QStringLiteral("Org. nr.:"), TextEdit(QStringLiteral("orgnumber"), panel));
    left->addRow(QStringLiteral("Bransje:"), TextEdit(QStringLiteral("branch"), panel));
    left->addRow(QStringLiteral("Bankkonto:"), TextEdit(QStringLiteral("bankaccount"), panel));
    left->addRow(QStringLiteral("Vår kontakt:"), LookupCombo(QStringLiteral("mycontact"),
                                                             DM().LookupQuery(Lookup::Users),
                                                             QStringLiteral("initials"), panel));

    auto* right = new QFormLayout;
    right->addRow(QStringLiteral("Gateadresse:"), TextEdit(QStringLiteral("streetaddress"), panel));
    right->addRow(QStringLiteral("Postadresse:"), TextEdit(QStringLiteral("postaladdress"), panel));
    auto* place = new QHBoxLayout;
    DbLineEdit* code = TextEdit(QStringLiteral("postalcode"), panel);
    code->setMaxLength(6);
    code->setFixedWidth(64);
    connect(code, &QLineEdit::editingFinished, this, [this] { PostalCodeLeft(); });
    place->addWidget(code);
    QToolButton* lookup =
        SmallButton(QStringLiteral("postalLookup"), QStringLiteral("?"), QStringLiteral("Slå opp postnummeret"), panel);
    connect(lookup, &QToolButton::clicked, this, [this] { ShowPostalCode(); });
    place->addWidget(lookup);
    place->addWidget(TextEdit(QStringLiteral("city"), panel), 1);
    right->addRow(QStringLiteral("Poststed:"), place);
    QToolButton* folder =
        SmallButton(QStringLiteral("folderMenu"), QStringLiteral("..."), QStringLiteral("Firmaets mappe"), panel);
    folder->setPopupMode(QToolButton::InstantPopup);
    folder->setStyleSheet(QStringLiteral("QToolButton::menu-indicator { image: none; width: 0px; }"));
    auto* folderMenu = new QMenu(folder);
    for (const char* text : {"Åpne lokal mappe", "Åpne mappen i nettleser", "Sett inn mappeplasering"})
        folderMenu->addAction(Command(QString::fromUtf8(text)));
    folder->setMenu(folderMenu);
    right->addRow(QStringLiteral("Mappe:"), FieldWithButton(TextEdit(QStringLiteral("companyfolder"), panel), folder));

    auto* kinds = new QGridLayout;
    const struct {
        const char* text;
        const char* column;
    } boxes[] = {
        {"Kunde", "customer"},       {"Leverandør", "vendor"},         {"UtstyrLeverandør", "equipvendor"},
        {"Svartelistet", "blacklisted"}, {"Avtale eller partner", "partner"}, {"Momspliktig", "tax"},
    };
    int i = 0;
    for (const auto& b : boxes) {
        auto* box = new DbCheckBox(QString::fromUtf8(b.text), &dataset(), QString::fromLatin1(b.column), panel);
        box->setObjectName(QString::fromLatin1(b.column));
        kinds->addWidget(box, i / 3, i % 3);
        ++i;
    }

    grid->addLayout(left, 0, 0);
    grid->addLayout(right, 0, 1);
    grid->addLayout(kinds, 1, 0, 1, 2);
    grid->setColumnStretch(0, 2);
    grid->setColumnStretch(1, 3);
    return panel;
}

void CompanyDataForm::ShowRecord() {
    Table& companies = DM().CompanyTable();
    if (!companies.IsActive()) DM().OpenTableWithRights(companies, false, false);
    if (isVisible())
        ContactsFollowCompany(false);
    else
        show();
    raise();
    activateWindow();
}

void CompanyDataForm::showEvent(QShowEvent* event) {
    RecordWindowBase::showEvent(event);
    if (event->spontaneous()) return;
    Query& users = DM().LookupQuery(Lookup::Users);
    if (!users.IsActive()) users.Open();
    ContactsFollowCompany(true);
    UpdateIniButton();
}

void CompanyDataForm::Move(bool (Dataset::*step)()) {
    Dataset& d = dataset();
    if (!d.IsActive()) return;
    (d.*step)();
    // Moving saves first; a save the server refused keeps the edit.
    if (d.IsEditing() && !d.LastError().isEmpty()) ShowMessage(QStringLiteral("FEIL"), d.LastError());
    ContactsFollowCompany(false);
}

void CompanyDataForm::ContactsFollowCompany(bool always) {
    if (dataset().State() == DatasetState::Insert) return;
    const int id = CurrentCompanyId();
    if (id == 0 || (!always && id == contactsOf_)) return;
    // Running the contact query again would drop a contact being typed in the contact
    // window; the contacts catch up at the next move once it is saved or cancelled.
    if (DM().ContactQuery().IsEditing()) return;
    contactsOf_ = id;
    RestrictContactsToCompany(id);
}

void CompanyDataForm::UpdateIniButton() {
    if (iniButton_) iniButton_->setVisible(ShowsCompanyIniButton(dataset()));
}

int CompanyDataForm::CurrentCompanyId() const {
    const Dataset& d = dataset();
    if (!d.IsActive() || d.IsEmpty() || d.State() == DatasetState::Insert) return 0;
    return static_cast<int>(d.AsInteger(QStringLiteral("id")));
}

QString CompanyDataForm::FieldText(const QString& column) const {
    const auto* edit = Field<DbLineEdit>(column);
    return edit ? edit->text().trimmed() : QString();
}

void CompanyDataForm::Open(const QString& target) {
    if (!target.isEmpty() && shellOpen_) shellOpen_(target);
}

void CompanyDataForm::PostalCodeLeft() {
    if (ApplyPostalPlace(dataset()) == PostalPlaceResult::Written) DbFieldLink::ShowAll(this);
}

void CompanyDataForm::ShowPostalCode() {
    ShowWindow(QStringLiteral("PostnummerForm"), FieldText(QStringLiteral("postalcode")));
}

void CompanyDataForm::MailTo() {
    const QString address = FieldText(QStringLiteral("email"));
    if (!address.isEmpty()) Open(QStringLiteral("mailto:") + address);
}

void CompanyDataForm::OpenHomepage() {
    // The program's own browser window comes with a later version; until then the address
    // goes to the desktop's browser.
    QString address = FieldText(QStringLiteral("homepage"));
    if (address.isEmpty()) return;
    // "www.firma.no" is a web address, not a file.
    if (!address.contains(QStringLiteral("://"))) address.prepend(QStringLiteral("http://"));
    Open(address);
}

void CompanyDataForm::ShowCompanyContact() {
    Crm().SetNewContactCompanyId(CurrentCompanyId());
    ShowWindow(QStringLiteral("ContactDataForm"));
}

// The translation of a folder between its web form and the local folder belongs to the
// document folders, which come with a later version; until then the folder is used as it
// is stored.
void CompanyDataForm::OpenLocalFolder() { Open(FieldText(QStringLiteral("companyfolder"))); }

void CompanyDataForm::OpenFolderInBrowser() { Open(FieldText(QStringLiteral("companyfolder"))); }

void CompanyDataForm::InsertFolderLocation() {
    auto* edit = Field<DbLineEdit>(QStringLiteral("companyfolder"));
    if (!edit || !edit->link().CanChange()) return;
    const QString start = edit->text().trimmed();
    const QString chosen = ChooseFolder(start);  // "Valg mappe"; cancelling gives the start
    if (chosen.isEmpty() || chosen == start || chosen == start + QLatin1Char('/')) return;
    edit->SetUserText(chosen);
}

void CompanyDataForm::ShowIni() {
    if (!iniWindow_) {
        iniWindow_ = new QDialog(this);
        iniWindow_->setObjectName(QStringLiteral("iniWindow"));
        iniWindow_->setWindowTitle(QStringLiteral("sevrante.ini"));
        auto* memo = new DbMemo(&dataset(), QStringLiteral("inifile"), iniWindow_);
        memo->setObjectName(QStringLiteral("inifile"));
        memo->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        memo->setLineWrapMode(QPlainTextEdit::NoWrap);
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, iniWindow_);
        buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("Lukk"));
        connect(buttons, &QDialogButtonBox::rejected, iniWindow_, &QDialog::close);
        auto* layout = new QVBoxLayout(iniWindow_);
        layout->addWidget(memo, 1);
        layout->addWidget(buttons);
        iniWindow_->resize(560, 460);
    }
    iniWindow_->show();
    iniWindow_->raise();
    iniWindow_->activateWindow();
}
