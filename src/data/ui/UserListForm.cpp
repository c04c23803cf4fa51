#include "data/ui/UserListForm.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QHideEvent>
#include <QMenu>
#include <QShowEvent>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/frame/AppContext.h"
#include "data/DataModule.h"
#include "data/Rights.h"
#include "data/Users.h"
#include "ui/LaterVersion.h"
#include "data/ui/UserAccessForm.h"
#include "data/ui/UserDataForm.h"
#include "ui/DatasetTableModel.h"

namespace {

std::function<void()>& UserSwitchedHandler() {
    static std::function<void()> handler;
    return handler;
}

}  // namespace

void UserListForm::SetUserSwitchedHandler(std::function<void()> handler) { UserSwitchedHandler() = std::move(handler); }

UserListForm::UserListForm(QWidget* parent) : WindowBase<QDialog>(QStringLiteral("UserListForm"), parent), commands_(this) {
    setWindowTitle(QStringLiteral("Personal"));
    resize(760, 420);

    model_ = new DatasetTableModel(users(),
                                   {{"initials", "Initialer"},
                                    {"realname", "Navn"},
                                    {"homephone", "Telefon"},
                                    {"mobilephone", "Mobiltelefon"},
                                    {"email", "Epost"},
                                    {"title", "Tittel"},
                                    {"department", "Avdeling"},
                                    {"username", "Brukernavn"}},
                                   this);
    grid_ = new QTableView(this);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->verticalHeader()->setDefaultSectionSize(20);
    grid_->horizontalHeader()->setStretchLastSection(true);
    model_->AttachView(grid_);
    model_->SetSortHandler([this](const QString& field) {
        if (!users().SetOrder(field)) ShowMessage(QStringLiteral("FEIL"), users().LastError());
    });
    connect(grid_, &QTableView::doubleClicked, this, [this] { OpenDataForm(); });

    const Qt::Key ctrl = Qt::Key(Qt::CTRL);
    QAction* add = commands_.Add("Ny", "Ny ansatt", QKeySequence(ctrl | Qt::Key_N), [this] { NewRow(); });
    QAction* edit = commands_.Add("Rediger", "Rediger", QKeySequence(ctrl | Qt::Key_Return), [this] { OpenDataForm(); });
    edit->setShortcuts({QKeySequence(ctrl | Qt::Key_Return), QKeySequence(ctrl | Qt::Key_Enter)});
    QAction* remove = commands_.Add("Slett", "Slett", QKeySequence(ctrl | Qt::Key_Delete), [this] { DeleteRow(); });
    QAction* refresh = commands_.Add("Oppdater", "Oppdater", QKeySequence(Qt::Key_F5),
                                     [this] { DM().OpenTableWithRights(users(), true, false); });
    QAction* search = commands_.Add("Filtrer etter ...", "Filter", QKeySequence(ctrl | Qt::Key_F), [this] { Search(); });
    QAction* active = commands_.Add("Aktive ansatte", [this] { SetFilter(kActiveUsersFilter, true); });
    QAction* inactive = commands_.Add("Ikke aktive", [this] { SetFilter(kInactiveUsersFilter, true); });
    QAction* published = commands_.Add("Publiserte", [this] { SetFilter(kPublishedUsersFilter, true); });
    QAction* all = commands_.Add("Vis alle", "Vis alle", QKeySequence(ctrl | Qt::Key_A), [this] { SetFilter(QString(), false); });
    QAction* document = commands_.Add("Dokument", [] { ShowLaterVersion(); });
    QAction* documents = commands_.Add("Dokumenter", [] { ShowLaterVersion(); });
    QAction* access = commands_.Add("Brukertilgang", "Tilgang", QKeySequence(), [this] { OpenAccessForm(); });
    QAction* switchUser = commands_.Add("Bytt til denne brukeren", [this] { SwitchUser(); });

    auto* related = new QMenu(QStringLiteral("Vis tilhørende"), this);
    related->addAction(document);
    related->addAction(documents);
    grid_->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto separator = [this] {
        auto* s = new QAction(this);
        s->setSeparator(true);
        return s;
    };
    grid_->addActions({add, edit, remove, refresh, separator(), search, active, inactive, published, all,
                       separator(), related->menuAction(), access, switchUser});

    auto* buttons = new QHBoxLayout;
    for (QAction* a : {add, edit, remove, refresh, search, access}) buttons->addWidget(commands_.Button(a, this));
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(grid_);
}

UserListForm::~UserListForm() {
    delete dataForm_;
    delete accessForm_;
}

Table& UserListForm::users() const { return DM().UsersTable(); }

void UserListForm::showEvent(QShowEvent* event) {
    WindowBase<QDialog>::showEvent(event);
    if (event->spontaneous()) return;
    DM().OpenTableWithRights(users(), true, false);
    UpdateCommands();
}

void UserListForm::hideEvent(QHideEvent* event) {
    WindowBase<QDialog>::hideEvent(event);
    if (event->spontaneous()) return;
    SetFilter(kActiveUsersFilter, false);
    // The record and access windows live only as long as the list is shown.
    if (dataForm_) {
        dataForm_->close();
        dataForm_->deleteLater();
    }
    if (accessForm_) {
        accessForm_->close();
        accessForm_->deleteLater();
    }
}

void UserListForm::UpdateCommands() {
    const bool admin = HasAdminRight(QStringLiteral("users"));
    for (const char* text : {"Slett", "Brukertilgang", "Bytt til denne brukeren"}) Command(text)->setEnabled(admin);
}

void UserListForm::SetFilter(const QString& filter, bool filtered) {
    Table& t = users();
    t.SetFiltered(filtered);
    if (!t.SetFilterSql(filter)) ShowMessage(QStringLiteral("FEIL"), t.LastError());
}

void UserListForm::Search() {
    const QString text = AskInput(QStringLiteral("Søk etter:"));
    if (text.isEmpty()) return;
    SetFilter(UserSearchFilter(DM().connection(), text), true);
}

void UserListForm::NewRow() {
    Table& t = users();
    if (!t.IsActive() && !DM().OpenTableWithRights(t, true, false)) return;
    if (!t.Insert()) {
        ShowMessage(QStringLiteral("FEIL"), t.LastError());
        return;
    }
    OpenDataForm();
}

void UserListForm::DeleteRow() {
    Table& t = users();
    // A declined confirmation cancels without a message.
    if (!t.Delete() && !t.LastError().isEmpty()) ShowMessage(QStringLiteral("FEIL"), t.LastError());
}

UserDataForm* UserListForm::OpenDataForm() {
    if (!dataForm_) {
        dataForm_ = new UserDataForm(this);
        dataForm_->SetAccessOpener([this] { OpenAccessForm(); });
    }
    dataForm_->show();
    dataForm_->raise();
    return dataForm_;
}

UserAccessForm* UserListForm::OpenAccessForm() {
    if (!Command(QStringLiteral("Brukertilgang"))->isEnabled()) return nullptr;
    if (!accessForm_) accessForm_ = new UserAccessForm(this);
    accessForm_->show();
    accessForm_->raise();
    return accessForm_;
}

void UserListForm::SwitchUser() {
    if (!SwitchToUser(users(), Ctx().logon())) return;
    if (UserSwitchedHandler()) UserSwitchedHandler()();
    UpdateCommands();
}

void ShowUserList(QWidget* parent) {
    UserListForm form(parent);
    form.exec();
}
