// The contact list and its commands, on the contact rules.
#include "crm/ui/ContactListForm.h"

#include <QAction>
#include <QEvent>
#include <QHideEvent>
#include <QShowEvent>
#include <QTableView>

#include "app/frame/Prompter.h"
#include "crm/ContactRules.h"
#include "crm/CrmModule.h"
#include "crm/RelatedLists.h"
#include "data/DataModule.h"
#include "ui/WindowRegistry.h"

namespace {
const QString kWindowName = QStringLiteral("ContactListForm");
}  // namespace

ContactListForm::ContactListForm(QWidget* parent)
    : ListWindowBase(kWindowName, DM().ContactQuery(),
                     {{"realname", "Navn"},
                      {"mobilephone", "Mobiltelefon"},
                      {"internalphone", "Direktetelefon"},
                      {"homephone", "Hjemmetelefon"},
                      {"email", "Epost"},
                      {"companyname", "Firma"}},
                     parent) {
    setWindowTitle(QStringLiteral("Kontaktliste"));
    resize(940, 460);
    // Room for a full name, a telephone number and an address; the company takes the rest.
    const int widths[] = {150, 110, 110, 110, 200};
    for (int column = 0; column < 5; ++column) grid()->setColumnWidth(column, widths[column]);
    SetSearchColumn(QStringLiteral("realname"));
    model()->SetSortHandler([](const QString& field) { SortContacts(field); });
    SetRecordOpener([] { ShowWindow(QStringLiteral("ContactDataForm")); });

    const Qt::Key ctrl = Qt::Key(Qt::CTRL);
    AddCommand("Ny", "Ny kontakt", QKeySequence(ctrl | Qt::Key_N), [this] { NewContact(); });
    QAction* edit = AddCommand(
        "Rediger", "Rediger", QKeySequence(ctrl | Qt::Key_Return), [this] { OpenRecord(); }, false);
    edit->setShortcuts({QKeySequence(ctrl | Qt::Key_Return), QKeySequence(ctrl | Qt::Key_Enter)});
    AddCommand(
        "Slett", "Slett", QKeySequence(ctrl | Qt::Key_Delete), [this] { DeleteContact(); }, false);
    AddCommand("Oppdater", "Oppdater", QKeySequence(Qt::Key_F5), [] { RunContactQuery(); });
    AddMenuSeparator();
    AddCommand("Filtrer etter ...", "Filter", QKeySequence(ctrl | Qt::Key_F),
               [] { AskAndFilterContacts(); });
    AddCommand(
        "Tilknyttet et firma", "Tilknyttet et firma", QKeySequence(),
        [] { ShowContactsWithCompany(); }, false);
    AddCommand(
        "Ikke tilknyttet et firma", "Ikke tilknyttet et firma", QKeySequence(),
        [] { ShowContactsWithoutCompany(); }, false);
    AddCommand("Vis alle", "Vis alle", QKeySequence(ctrl | Qt::Key_A), [] { ShowAllContacts(); });
    AddMenuSeparator();
    AddCommand("Dokumenter", "Dokumenter", QKeySequence(),
               [this] { ShowContactRelated(RelatedList::Documents, CurrentContactId()); });
    AddCommand("Kalenderoppføringer", "Kalenderoppføringer", QKeySequence(),
               [this] { ShowContactRelated(RelatedList::Calendar, CurrentContactId()); });
    // The exchange and formatting windows come with a later version; until then their
    // names are not registered and say so.
    AddCommand(
        "Eksporter / Importer", "Eksporter / Importer", QKeySequence(),
        [] { ShowWindow(QStringLiteral("ContactImportForm")); }, false);
    AddCommand(
        "Formatér kontakter", "Formatér kontakter", QKeySequence(),
        [] { ShowWindow(QStringLiteral("ContactFormatForm")); }, false);
    tie_ = AddCommand(
        "Tilknytt til firma", "Tilknytt til firma", QKeySequence(),
        [] { TieContactToCurrentCompany(); }, false);
    AddMenuSeparator();
    AddCommand(
        "Hovedmeny", "Hovedmeny", QKeySequence(Qt::Key_F10),
        [] { ShowWindow(QStringLiteral("MainWindow")); }, false);
    AddRowCountField();

    // The tie command names the company it ties to.
    Table& companies = DM().CompanyTable();
    auto caption = [this](Dataset&) { UpdateTieCaption(); };
    companyEventIds_ = {companies.AfterScroll().Add(caption), companies.AfterOpen().Add(caption),
                        companies.AfterClose().Add(caption), companies.AfterRefresh().Add(caption)};
    UpdateTieCaption();

    RegisterWindow(kWindowName, this, [this](const QString& argument) { ShowList(argument); });
    RegisterRelatedList(RelatedList::Contacts, [this](const QString& condition) {
        if (!condition.isEmpty()) Crm().SetContactCondition(condition);
        ShowList();
    });
}

ContactListForm::~ContactListForm() {
    UnregisterWindow(kWindowName, this);
    RegisterRelatedList(RelatedList::Contacts, {});
    Table& companies = DM().CompanyTable();
    companies.AfterScroll().Remove(companyEventIds_[0]);
    companies.AfterOpen().Remove(companyEventIds_[1]);
    companies.AfterClose().Remove(companyEventIds_[2]);
    companies.AfterRefresh().Remove(companyEventIds_[3]);
}

void ContactListForm::ShowList(const QString& argument) {
    if (isVisible())
        RunContactQuery();
    else
        show();  // runs the query
    raise();
    activateWindow();
    if (argument == QStringLiteral("new")) NewContact();
}

bool ContactListForm::NewContact() {
    Query& contacts = DM().ContactQuery();
    if (!contacts.IsActive() && !RunContactQuery()) return false;
    if (!contacts.Insert()) {
        ShowMessage(QStringLiteral("FEIL"), contacts.LastError());
        return false;
    }
    ShowWindow(QStringLiteral("ContactDataForm"));
    return true;
}

bool ContactListForm::DeleteContact() {
    Query& contacts = DM().ContactQuery();
    if (!contacts.IsActive() || contacts.IsEmpty()) return false;
    if (contacts.Delete()) return true;
    // A declined confirmation cancels without a message.
    if (!contacts.LastError().isEmpty()) ShowMessage(QStringLiteral("FEIL"), contacts.LastError());
    return false;
}

void ContactListForm::UpdateTieCaption() {
    if (tie_) tie_->setText(TieContactCaption());
}

int ContactListForm::CurrentContactId() const {
    Query& contacts = DM().ContactQuery();
    if (!contacts.IsActive() || contacts.IsEmpty() || contacts.State() == DatasetState::Insert)
        return 0;
    return static_cast<int>(contacts.AsInteger(QStringLiteral("id")));
}

void ContactListForm::showEvent(QShowEvent* event) {
    ListWindowBase::showEvent(event);
    if (event->spontaneous()) return;
    RunContactQuery();
    UpdateTieCaption();
}

void ContactListForm::hideEvent(QHideEvent* event) {
    ListWindowBase::hideEvent(event);
    if (event->spontaneous()) return;
    ContactListClosed();
}

bool ContactListForm::eventFilter(QObject* watched, QEvent* event) {
    // The context menu is about to open.
    if (watched == grid() && event->type() == QEvent::ContextMenu) UpdateTieCaption();
    return ListWindowBase::eventFilter(watched, event);
}
