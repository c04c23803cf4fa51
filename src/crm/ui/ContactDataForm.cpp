// The contact window, on the contact rules and the postal register.
#include "crm/ui/ContactDataForm.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QShowEvent>
#include <QToolButton>
#include <algorithm>

#include "app/frame/FileOps.h"
#include "app/frame/Prompter.h"
#include "crm/ContactRules.h"
#include "crm/PostalPlace.h"
#include "crm/RelatedLists.h"
#include "data/DataModule.h"
#include "ui/DbFieldLink.h"
#include "ui/DbLineEdit.h"
#include "ui/DbLookupCombo.h"
#include "ui/DbMemo.h"
#include "ui/WindowRegistry.h"

namespace {
const QString kWindowName = QStringLiteral("ContactDataForm");

}  // namespace

ContactDataForm::ContactDataForm(QWidget* parent)
    : RecordWindowBase(kWindowName, QStringLiteral("Kontakt"), DM().ContactQuery(), parent),
      shellOpen_([](const QString& target) { return ShellOpen(target); }) {
    QAction* add = Command(QStringLiteral("Ny"));
    add->setText(QStringLiteral("Ny post"));
    add->setIconText(QStringLiteral("Ny kontakt"));

    // The navigator shows first, previous, next and last; these carry the keys.
    commands().Add("Første post", "Første post", QKeySequence(), [this] { Move(&Dataset::First); });
    commands().Add("Forrige post", "Forrige post", QKeySequence(Qt::Key_PageUp),
                   [this] { Move(&Dataset::Prior); });
    commands().Add("Neste post", "Neste post", QKeySequence(Qt::Key_PageDown),
                   [this] { Move(&Dataset::Next); });
    commands().Add("Siste post", "Siste post", QKeySequence(), [this] { Move(&Dataset::Last); });
    QAction* documents = commands().Add(
        "Dokumenter", [this] { ShowContactRelated(RelatedList::Documents, CurrentContactId()); });
    QAction* mainMenu = commands().Add("Hovedmeny", "Hovedmeny", QKeySequence(Qt::Key_F10),
                                       [] { ShowWindow(QStringLiteral("MainWindow")); });
    const int before = toolRow()->count() - 1;  // before the stretch
    toolRow()->insertWidget(before, commands().Button(documents, this));
    toolRow()->insertWidget(before + 1, commands().Button(mainMenu, this));

    // Name and telephones.
    auto* basic = new QWidget(this);
    auto* basicForm = new QFormLayout(basic);
    basicForm->addRow(QStringLiteral("Navn:"), TextEdit(QStringLiteral("realname"), basic));
    basicForm->addRow(QStringLiteral("Jobbtelefon:"),
                      TextEdit(QStringLiteral("internalphone"), basic));
    basicForm->addRow(QStringLiteral("Hjemmetelefon:"),
                      TextEdit(QStringLiteral("homephone"), basic));
    basicForm->addRow(QStringLiteral("Mobiltelefon:"),
                      TextEdit(QStringLiteral("mobilephone"), basic));

    // Address, company and the ways to reach the person.
    auto* extended = new QWidget(this);
    auto* form = new QFormLayout(extended);
    QToolButton* web =
        SmallButton(QString(), QStringLiteral("..."), QStringLiteral("Åpne hjemmesiden"), extended);
    connect(web, &QToolButton::clicked, this, [this] { OpenHomepage(); });
    form->addRow(QStringLiteral("Hjemmeside:"),
                 FieldWithButton(TextEdit(QStringLiteral("homepage"), extended), web));
    QToolButton* workMail =
        SmallButton(QString(), QStringLiteral("@"), QStringLiteral("Send epost"), extended);
    workMail->setObjectName(QStringLiteral("mailWork"));
    connect(workMail, &QToolButton::clicked, this, [this] { MailTo(QStringLiteral("email")); });
    form->addRow(QStringLiteral("Epost jobb:"),
                 FieldWithButton(TextEdit(QStringLiteral("email"), extended), workMail));
    QToolButton* homeMail =
        SmallButton(QString(), QStringLiteral("@"), QStringLiteral("Send epost"), extended);
    homeMail->setObjectName(QStringLiteral("mailHome"));
    connect(homeMail, &QToolButton::clicked, this,
            [this] { MailTo(QStringLiteral("home_email")); });
    form->addRow(QStringLiteral("Epost privat:"),
                 FieldWithButton(TextEdit(QStringLiteral("home_email"), extended), homeMail));
    company_ = new DbLookupCombo(extended);
    company_->setObjectName(QStringLiteral("companyid"));
    company_->SetDataSource(&dataset(), QStringLiteral("companyid"));
    company_->SetLookup(&DM().LookupQuery(Lookup::Companies), QStringLiteral("id"),
                        QStringLiteral("companyname"));
    QToolButton* remove =
        SmallButton(QString(), QStringLiteral("X"), QStringLiteral("Fjern tilknytning til firma"), extended);
    remove->setObjectName(QStringLiteral("removeCompany"));
    connect(remove, &QToolButton::clicked, this, [this] { RemoveCompany(); });
    form->addRow(QStringLiteral("Firma:"), FieldWithButton(company_, remove));
    form->addRow(QStringLiteral("Stilling:"), TextEdit(QStringLiteral("title"), extended));
    form->addRow(QStringLiteral("Avdeling:"), TextEdit(QStringLiteral("department"), extended));
    form->addRow(QStringLiteral("Gateadresse:"),
                 TextEdit(QStringLiteral("streetaddress"), extended));
    form->addRow(QStringLiteral("Postadresse:"),
                 TextEdit(QStringLiteral("postaladdress"), extended));
    auto* place = new QHBoxLayout;
    DbLineEdit* code = TextEdit(QStringLiteral("postalcode"), extended);
    code->setMaxLength(6);
    code->setFixedWidth(70);
    connect(code, &QLineEdit::editingFinished, this, [this] { PostalCodeLeft(); });
    place->addWidget(code);
    QToolButton* lookup =
        SmallButton(QString(), QStringLiteral("?"), QStringLiteral("Slå opp postnummeret"), extended);
    lookup->setObjectName(QStringLiteral("postalLookup"));
    connect(lookup, &QToolButton::clicked, this, [this] { ShowPostalCode(); });
    place->addWidget(lookup);
    place->addWidget(TextEdit(QStringLiteral("city"), extended), 1);
    form->addRow(QStringLiteral("Poststed:"), place);

    // Notes.
    auto* notes = new DbMemo(&dataset(), QStringLiteral("object_text"), this);
    notes->setObjectName(QStringLiteral("object_text"));
    notes->setMinimumHeight(90);
    notes->setLineWrapMode(QPlainTextEdit::WidgetWidth);

    // The labels of both panels take one width, so the fields stand in one column.
    int labelWidth = 0;
    for (QFormLayout* f : {basicForm, form})
        for (int row = 0; row < f->rowCount(); ++row)
            if (QLayoutItem* label = f->itemAt(row, QFormLayout::LabelRole))
                labelWidth = std::max(labelWidth, label->sizeHint().width());
    for (QFormLayout* f : {basicForm, form})
        for (int row = 0; row < f->rowCount(); ++row)
            if (QLayoutItem* label = f->itemAt(row, QFormLayout::LabelRole))
                if (label->widget()) label->widget()->setMinimumWidth(labelWidth);

    SetPanels({basic, extended, notes});
    resize(520, sizeHint().height());

    RegisterWindow(kWindowName, this, [this](const QString&) { ShowRecord(); });
}

ContactDataForm::~ContactDataForm() { UnregisterWindow(kWindowName, this); }

void ContactDataForm::ShowRecord() {
    if (!dataset().IsActive()) RunContactQuery();
    show();
    raise();
    activateWindow();
}

void ContactDataForm::showEvent(QShowEvent* event) {
    RecordWindowBase::showEvent(event);
    if (event->spontaneous()) return;
    Query& companies = DM().LookupQuery(Lookup::Companies);
    if (!companies.IsActive()) companies.Open();
}

void ContactDataForm::Move(bool (Dataset::*step)()) {
    Dataset& d = dataset();
    if (!d.IsActive()) return;
    (d.*step)();
    // Moving saves first; a save the server refused keeps the edit.
    if (d.IsEditing() && !d.LastError().isEmpty())
        ShowMessage(QStringLiteral("FEIL"), d.LastError());
}

int ContactDataForm::CurrentContactId() const {
    const Dataset& d = dataset();
    if (!d.IsActive() || d.IsEmpty() || d.State() == DatasetState::Insert) return 0;
    return static_cast<int>(d.AsInteger(QStringLiteral("id")));
}

void ContactDataForm::PostalCodeLeft() {
    if (ApplyPostalPlace(dataset()) == PostalPlaceResult::Written) DbFieldLink::ShowAll(this);
}

void ContactDataForm::RemoveCompany() {
    if (RemoveContactCompany(dataset())) DbFieldLink::ShowAll(this);
}

void ContactDataForm::ShowPostalCode() {
    const auto* code = Field<DbLineEdit>(QStringLiteral("postalcode"));
    ShowWindow(QStringLiteral("PostnummerForm"), code ? code->text().trimmed() : QString());
}

void ContactDataForm::MailTo(const QString& column) {
    // The program's own mail window comes with a later version; until then the address goes
    // to the desktop's mail program.
    const auto* edit = Field<DbLineEdit>(column);
    const QString address = edit ? edit->text().trimmed() : QString();
    if (address.isEmpty() || !shellOpen_) return;
    shellOpen_(QStringLiteral("mailto:") + address);
}

void ContactDataForm::OpenHomepage() {
    const auto* edit = Field<DbLineEdit>(QStringLiteral("homepage"));
    QString address = edit ? edit->text().trimmed() : QString();
    if (address.isEmpty() || !shellOpen_) return;
    // "www.firma.no" is a web address, not a file.
    if (!address.contains(QStringLiteral("://"))) address.prepend(QStringLiteral("http://"));
    shellOpen_(address);
}
