#include "data/ui/UserAccessForm.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QShowEvent>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/frame/AppContext.h"
#include "data/DataModule.h"
#include "data/Users.h"
#include "ui/DetailSlider.h"
#include "ui/DbCheckBox.h"
#include "ui/DbFieldLink.h"
#include "ui/DbLabel.h"
#include "ui/DbLineEdit.h"
#include "ui/DbLookupCombo.h"
#include "ui/DbMemo.h"

namespace {

const char* const kLetterTitles[6] = {"Les", "Skriv", "Slett", "Ny", "Admin", "Favoritt"};

std::function<void()>& MainMenuHandler() {
    static std::function<void()> handler;
    return handler;
}

const QString kParameter = QStringLiteral("parameter");

}  // namespace

void UserAccessForm::SetMainMenuHandler(std::function<void()> handler) { MainMenuHandler() = std::move(handler); }

UserAccessForm::UserAccessForm(QWidget* parent)
    : WindowBase<QDialog>(QStringLiteral("UserAccessForm"), parent), commands_(this) {
    Table& t = users();

    // The rights grid.
    const auto& keys = RightsKeys();
    grid_ = new QTableWidget(static_cast<int>(keys.size()), 6, this);
    QStringList titles;
    for (const char* title : kLetterTitles) titles << QString::fromUtf8(title);
    grid_->setHorizontalHeaderLabels(titles);
    QStringList captions;
    for (const RightsKey& k : keys) captions << QString::fromUtf8(k.caption);
    grid_->setVerticalHeaderLabels(captions);
    for (int row = 0; row < grid_->rowCount(); ++row) {
        for (int letter = 0; letter < 6; ++letter) {
            auto* item = new QTableWidgetItem;
            item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
            item->setCheckState(Qt::Unchecked);
            grid_->setItem(row, letter, item);
        }
    }
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    grid_->verticalHeader()->setDefaultSectionSize(20);
    grid_->setSelectionMode(QAbstractItemView::NoSelection);
    grid_->setMinimumWidth(430);
    grid_->setMinimumHeight(24 * 20 + 30);
    // Changing a box puts the user row into edit mode.
    connect(grid_, &QTableWidget::itemChanged, this, [this] {
        if (!filling_ && !users().IsEditing()) users().Edit();
    });

    // The account panel.
    auto* account = new QWidget(this);
    auto* accountForm = new QFormLayout(account);
    auto edit = [&](const char* column) {
        auto* e = new DbLineEdit(&t, QString::fromLatin1(column), this);
        e->setObjectName(QString::fromLatin1(column));
        return e;
    };
    auto label = [&](const char* column) {
        auto* l = new DbLabel(&t, QString::fromLatin1(column), this);
        l->setObjectName(QString::fromLatin1(column));
        return l;
    };
    accountForm->addRow(QStringLiteral("Brukernavn:"), edit("username"));
    auto* idRow = new QHBoxLayout;
    idRow->addWidget(label("id"), 1);
    auto* activ = new DbCheckBox(QStringLiteral("Aktiv"), &t, QStringLiteral("activ"), this);
    activ->setObjectName(QStringLiteral("activ"));
    idRow->addWidget(activ);
    accountForm->addRow(QStringLiteral("ID:"), idRow);
    accountForm->addRow(QStringLiteral("Nøkkelnr:"), edit("doorkey"));
    auto* passwordRow = new QHBoxLayout;
    DbLineEdit* password = edit("passwd");
    password->setEchoMode(QLineEdit::Password);
    passwordRow->addWidget(password, 1);
    auto* encrypted = new DbCheckBox(QStringLiteral("Kryptert"), &t, QStringLiteral("passwdvariant"), this);
    encrypted->SetValues(QStringLiteral("0"), QStringLiteral("1"));
    passwordRow->addWidget(encrypted);
    accountForm->addRow(QStringLiteral("Passord:"), passwordRow);
    auto* groupRow = new QHBoxLayout;
    auto* group = new DbLookupCombo(this);
    group->setObjectName(QStringLiteral("usergroup"));
    group->SetLookup(&DM().GroupsTable(), QStringLiteral("group_id"), QStringLiteral("group_name"));
    group->SetDataSource(&t, QStringLiteral("usergroup"));
    groupRow->addWidget(group, 1);
    auto* groupAccess = new DbCheckBox(QStringLiteral("Gruppetilgang"), &t, QStringLiteral("defaultgroup"), this);
    groupAccess->setObjectName(QStringLiteral("defaultgroup"));
    groupAccess->SetValues(QStringLiteral("100"), QStringLiteral("149"));
    groupRow->addWidget(groupAccess);
    accountForm->addRow(QStringLiteral("Gruppe:"), groupRow);
    accountForm->addRow(QStringLiteral("Sist oppdatert:"), label("updated"));
    accountForm->addRow(QStringLiteral("Siste IP-adresse:"), label("lastip"));
    accountForm->addRow(QStringLiteral("Pålogginger:"), label("logoncount"));
    accountForm->addRow(QStringLiteral("FirmaID:"), edit("companyid"));

    // The memos.
    auto* memos = new QWidget(this);
    auto* memoLayout = new QVBoxLayout(memos);
    memoLayout->setContentsMargins(0, 0, 0, 0);
    auto memo = [&](const char* column) {
        auto* m = new DbMemo(&t, QString::fromLatin1(column), this);
        m->setObjectName(QString::fromLatin1(column));
        m->setLineWrapMode(QPlainTextEdit::NoWrap);
        return m;
    };
    memoLayout->addWidget(new QLabel(QStringLiteral("INIFIL:"), this));
    memoLayout->addWidget(memo("inifile"));
    memoLayout->addWidget(new QLabel(QStringLiteral("Tabelltilgang:"), this));
    memoLayout->addWidget(memo("parameter"));

    slider_ = new DetailSlider({grid_, account, memos}, this);
    connect(slider_, &QSlider::valueChanged, this, [this] { SetDiverse(slider_->LevelText()); });

    auto move = [this](bool (Dataset::*step)()) {
        Table& u = users();
        (u.*step)();
        if (u.IsEditing()) ShowMessage(QStringLiteral("FEIL"), u.LastError());  // could not save before moving
    };
    QAction* first = commands_.Add("Første post", "|<", QKeySequence(), [move] { move(&Dataset::First); });
    QAction* prior = commands_.Add("Forrige post", "<", QKeySequence(), [move] { move(&Dataset::Prior); });
    QAction* next = commands_.Add("Neste post", ">", QKeySequence(), [move] { move(&Dataset::Next); });
    QAction* last = commands_.Add("Siste post", ">|", QKeySequence(), [move] { move(&Dataset::Last); });
    QAction* save = commands_.Add("Lagre", [this] { Save(); });
    QAction* cancel = commands_.Add("Avbryt", [this] {
        users().Cancel();
        ReadBoxes();
    });
    QAction* setTable = commands_.Add("Sett tilgangstabell", [this] { SetRightsTable(); });
    QAction* mainMenu = commands_.Add("Hovedmeny", [] {
        if (MainMenuHandler()) MainMenuHandler()();
    });
    QAction* create = commands_.Add("Opprett på server", [this] { CreateAccount(); });

    auto* top = new QHBoxLayout;
    for (QAction* a : {first, prior, next, last}) top->addWidget(commands_.Button(a, this));
    top->addStretch();
    top->addWidget(slider_);
    auto* bottom = new QHBoxLayout;
    for (QAction* a : {save, cancel, setTable, create, mainMenu}) bottom->addWidget(commands_.Button(a, this));
    bottom->addStretch();
    auto* panels = new QHBoxLayout;
    panels->addWidget(grid_);
    auto* right = new QVBoxLayout;
    right->addWidget(account);
    right->addWidget(memos, 1);
    panels->addLayout(right, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(panels, 1);
    layout->addLayout(bottom);

    scrollId_ = t.AfterScroll().Add([this](Dataset&) {
        ReadBoxes();
        UpdateCaption();
        UpdateCommands();
    });
    notifier_ = DM().AddRecordWindowNotifier(QStringLiteral("users"), [this] { UpdateCommands(); });
    ReadBoxes();
    UpdateCaption();
    UpdateCommands();
}

UserAccessForm::~UserAccessForm() {
    if (DataModule::HasCurrent()) {
        users().AfterScroll().Remove(scrollId_);
        DM().RemoveRecordWindowNotifier(notifier_);
    }
}

Table& UserAccessForm::users() const { return DM().UsersTable(); }

DbLineEdit* UserAccessForm::Edit(const QString& column) const { return findChild<DbLineEdit*>(column); }

DbMemo* UserAccessForm::Memo(const QString& column) const { return findChild<DbMemo*>(column); }

void UserAccessForm::showEvent(QShowEvent* event) {
    WindowBase<QDialog>::showEvent(event);
    if (event->spontaneous()) return;
    slider_->SetLevelText(Diverse());
    SetDiverse(slider_->LevelText());
    // The group list needs the groups; without the right to read them the number shows.
    Table& groups = DM().GroupsTable();
    if (!groups.IsActive() && HasReadRight(QStringLiteral("groups"))) DM().OpenTableWithRights(groups, true, false);
    ReadBoxes();
    UpdateCaption();
    UpdateCommands();
}

bool UserAccessForm::RightChecked(int keyRow, int letter) const {
    const QTableWidgetItem* item = grid_->item(keyRow, letter);
    return item && item->checkState() == Qt::Checked;
}

void UserAccessForm::SetRightChecked(int keyRow, int letter, bool checked) {
    if (QTableWidgetItem* item = grid_->item(keyRow, letter)) item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

QHash<QString, RightsChecks> UserAccessForm::Checks() const {
    QHash<QString, RightsChecks> checks;
    const auto& keys = RightsKeys();
    for (int row = 0; row < static_cast<int>(keys.size()); ++row) {
        RightsChecks c{};
        for (int letter = 0; letter < 6; ++letter) c[static_cast<std::size_t>(letter)] = RightChecked(row, letter);
        checks.insert(QString::fromLatin1(keys[static_cast<std::size_t>(row)].key), c);
    }
    return checks;
}

void UserAccessForm::ReadBoxes() {
    filling_ = true;
    const bool hasRow = users().IsActive() && (users().RecNo() > 0 || users().IsEditing());
    const QString text = hasRow ? users().AsString(kParameter) : QString();
    const auto& keys = RightsKeys();
    for (int row = 0; row < static_cast<int>(keys.size()); ++row) {
        const QString key = QString::fromLatin1(keys[static_cast<std::size_t>(row)].key);
        for (int letter = 0; letter < 6; ++letter)
            SetRightChecked(row, letter, ReadRightsString(text, key, kRightsLetters[static_cast<std::size_t>(letter)]));
    }
    filling_ = false;
}

bool UserAccessForm::WriteRights() {
    Table& u = users();
    if (!u.IsEditing() && !u.Edit()) {
        ShowMessage(QStringLiteral("FEIL"), u.LastError());
        return false;
    }
    const QString text = WriteRightsString(Checks(), u.AsString(kParameter));
    if (!u.SetString(kParameter, text)) {
        ShowMessage(QStringLiteral("FEIL"), u.LastError());
        return false;
    }
    DbFieldLink::ShowAll(this);
    return true;
}

void UserAccessForm::SetRightsTable() { WriteRights(); }

void UserAccessForm::Save() {
    if (!WriteRights()) return;
    if (!users().Post()) ShowMessage(QStringLiteral("FEIL"), users().LastError());
}

void UserAccessForm::CreateAccount() {
    const QString name = Edit(QStringLiteral("username"))->text();
    const QString password = Edit(QStringLiteral("passwd"))->text();
    // The row's own changes are saved whatever the server said about the account.
    if (CreateServerAccount(name, password) == AccountResult::TooShort) return;
    Table& u = users();
    if (u.IsEditing() && !u.Post()) ShowMessage(QStringLiteral("FEIL"), u.LastError());
}

void UserAccessForm::UpdateCaption() {
    Table& u = users();
    setWindowTitle(u.AsString(QStringLiteral("realname")) + QStringLiteral(" [") + u.AsString(QStringLiteral("id")) +
                   QStringLiteral("]"));
}

void UserAccessForm::UpdateCommands() {
    const bool editing = users().IsEditing();
    Command(QStringLiteral("Avbryt"))->setEnabled(editing);
}
