// The company list and its commands, on the company rules and the documents' address rules.
#include "crm/ui/CompanyListForm.h"

#include <QAction>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHideEvent>
#include <QMenu>
#include <QShowEvent>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/frame/Prompter.h"
#include "crm/CompanyRules.h"
#include "crm/CrmModule.h"
#include "crm/RelatedLists.h"
#include "data/DataModule.h"
#include "ui/WindowRegistry.h"

namespace {
const QString kWindowName = QStringLiteral("CompanyListForm");

CompanyListForm* g_instance = nullptr;

// Draws each row's text in the colour of the company's kind.
class CompanyRowDelegate : public QStyledItemDelegate {
  public:
    CompanyRowDelegate(const CompanyListForm* list, QObject* parent) : QStyledItemDelegate(parent), list_(list) {}

  protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        const QColor colour = list_->RowTextColour(index.row());
        if (colour.isValid()) option->palette.setColor(QPalette::Text, colour);
    }

  private:
    const CompanyListForm* list_;
};

// "Vis tilhørende" and the panel "TILKNYTNINGER", in menu order.
struct RelatedCommand {
    const char* text;
    RelatedList list;
};
constexpr RelatedCommand kRelated[] = {
    {"Kontakter", RelatedList::Contacts},
    {"Dokumenter", RelatedList::Documents},
    {"Timeregistreringer", RelatedList::TimeRegistrations},
    {"Varetransaksjoner", RelatedList::ItemTransactions},
    {"Regnskapsposteringer", RelatedList::Entries},
    {"Tilbud", RelatedList::Offers},
    {"Ordrer", RelatedList::Orders},
    {"Innkjøp", RelatedList::PurchaseOrders},
    {"Fakturaer", RelatedList::Invoices},
};
}  // namespace

CompanyListForm::CompanyListForm(QWidget* parent)
    : ListWindowBase(kWindowName, DM().CompanyTable(),
                     {{"companyname", "Firmanavn"},
                      {"phone", "Telefon"},
                      {"telefax", "Telefax"},
                      {"email", "Epost"},
                      {"homepage", "Hjemmeside"},
                      {"orgnumber", "org. nr."},
                      {"postalcode", "Postnr."},
                      {"city", "Poststed"}},
                     parent) {
    setWindowTitle(QStringLiteral("Firmaer"));
    resize(1040, 520);
    SetSearchColumn(QStringLiteral("companyname"));
    model()->SetSortHandler([](const QString& field) { SortCompanies(field); });
    grid()->setItemDelegate(new CompanyRowDelegate(this, grid()));
    const int widths[] = {220, 95, 95, 190, 150, 95, 60};
    for (int c = 0; c < static_cast<int>(std::size(widths)); ++c) grid()->setColumnWidth(c, widths[c]);
    SetRecordOpener([this] {
        if (DoubleClickCopiesAddress())
            CopyAddress();
        else
            EditCompany();
    });

    BuildCommands();
    BuildRelatedPanel();
    AddRowCountField();
    UpdateChooserControls();

    g_instance = this;
    RegisterWindow(kWindowName, this, [this](const QString& argument) { ShowList(argument); });
}

CompanyListForm::~CompanyListForm() {
    UnregisterWindow(kWindowName, this);
    if (g_instance == this) g_instance = nullptr;
}

CompanyListForm* CompanyListForm::Instance() { return g_instance; }

OpenDocumentIds CompanyListForm::OpenDocuments() const {
    return CrmModule::HasCurrent() ? Crm().OpenDocuments() : OpenDocumentIds{};
}

void CompanyListForm::BuildCommands() {
    const Qt::Key ctrl = Qt::Key(Qt::CTRL);
    AddCommand("Ny", "Nytt firma", QKeySequence(ctrl | Qt::Key_N), [this] { NewCompany(); });
    QAction* edit = AddCommand("Rediger", "Rediger", QKeySequence(ctrl | Qt::Key_Return), [this] { EditCompany(); }, false);
    edit->setShortcuts({QKeySequence(ctrl | Qt::Key_Return), QKeySequence(ctrl | Qt::Key_Enter)});
    AddCommand("Slett", "Slett", QKeySequence(ctrl | Qt::Key_Delete), [this] { DeleteCompany(); }, false);
    AddCommand("Oppdater", "Oppdater", QKeySequence(Qt::Key_F5), [this] { Refresh(); });

    // A button only: the menu has "Kopier adresse til ordre".
    QAction* fetch = AddCommand("Hent adresse", "Hent adresse", QKeySequence(), [this] { CopyAddress(); });
    grid()->removeAction(fetch);
    for (auto* button : findChildren<QToolButton*>())
        if (button->defaultAction() == fetch) fetchButton_ = button;
    if (fetchButton_) fetchButton_->setObjectName(QStringLiteral("fetchAddress"));

    AddMenuSeparator();
    AddCommand("Filtrer etter ...", "Filter", QKeySequence(ctrl | Qt::Key_F), [] { AskAndFilterCompanies(); });
    const struct {
        const char* text;
        CompanyKind kind;
    } kinds[] = {
        {"Kunder", CompanyKind::Customers},
        {"Leverandører", CompanyKind::Vendors},
        {"Utstyrleverandører", CompanyKind::EquipmentVendors},
        {"Avtale eller partner", CompanyKind::Partners},
        {"Svartelistet", CompanyKind::Blacklisted},
    };
    for (const auto& k : kinds) {
        const CompanyKind kind = k.kind;
        AddCommand(QString::fromUtf8(k.text), QString::fromUtf8(k.text), QKeySequence(),
                   [kind] { FilterCompaniesBy(kind); }, false);
    }
    AddCommand("Vis alle", "Vis alle", QKeySequence(ctrl | Qt::Key_A), [] { ShowAllCompanies(); });
    AddMenuSeparator();

    QMenu* related = AddSubMenu(QStringLiteral("Vis tilhørende"));
    for (const RelatedCommand& r : kRelated) {
        const RelatedList list = r.list;
        related->addAction(
            commands().Add(QString::fromUtf8(r.text), [list] { ShowCompanyRelated(list, CurrentCompanyRowId()); }));
    }
    QMenu* advanced = AddSubMenu(QStringLiteral("Avansert"));
    // The formatting window comes with a later version; until then its name says so.
    advanced->addAction(
        commands().Add(QStringLiteral("Formatér firmaer"), [] { ShowWindow(QStringLiteral("CompanyFormatForm")); }));
    copyItem_ = AddCommand("Kopier adresse til ordre", "Kopier adresse til ordre", QKeySequence(),
                           [this] { CopyAddress(); }, false);
    AddMenuSeparator();
    AddCommand("Hovedmeny", "Hovedmeny", QKeySequence(Qt::Key_F10), [] { ShowWindow(QStringLiteral("MainWindow")); },
               false);
}

void CompanyListForm::BuildRelatedPanel() {
    relatedPanel_ = new QGroupBox(QStringLiteral("TILKNYTNINGER"), this);
    relatedPanel_->setObjectName(QStringLiteral("related"));
    auto* row = new QHBoxLayout(relatedPanel_);
    row->setContentsMargins(6, 2, 6, 4);
    row->setSpacing(4);
    for (const RelatedCommand& r : kRelated) {
        QToolButton* button = commands().Button(Command(QString::fromUtf8(r.text)), relatedPanel_);
        button->setAutoRaise(true);
        row->addWidget(button);
    }
    row->addStretch();
    // Between the grid and the status bar.
    auto* box = qobject_cast<QVBoxLayout*>(layout());
    if (box) box->insertWidget(box->count() - 1, relatedPanel_);
}

void CompanyListForm::ShowList(const QString& argument) {
    if (!isVisible()) show();
    raise();
    activateWindow();
    if (argument == QStringLiteral("new")) NewCompany();
}

bool CompanyListForm::FetchAddress() {
    if (isVisible()) hide();  // shown again as the chooser, modally
    Crm().SetAddressChooserMode(true);
    copied_ = false;
    exec();
    return copied_;
}

bool CompanyListForm::NewCompany() {
    Table& companies = DM().CompanyTable();
    if (!companies.IsActive() && !DM().OpenTableWithRights(companies, false, false)) return false;
    if (!companies.Insert()) {
        ShowMessage(QStringLiteral("FEIL"), companies.LastError());
        return false;
    }
    ShowWindow(QStringLiteral("CompanyDataForm"));
    return true;
}

void CompanyListForm::EditCompany() {
    const Table& companies = DM().CompanyTable();
    if (companies.IsActive() && !companies.IsEmpty()) ShowWindow(QStringLiteral("CompanyDataForm"));
}

bool CompanyListForm::DeleteCompany() {
    Table& companies = DM().CompanyTable();
    if (!companies.IsActive() || companies.IsEmpty()) return false;
    if (companies.Delete()) return true;
    // A declined confirmation cancels without a message.
    if (!companies.LastError().isEmpty()) ShowMessage(QStringLiteral("FEIL"), companies.LastError());
    return false;
}

bool CompanyListForm::Refresh() { return DM().OpenTableWithRights(DM().CompanyTable(), true, false); }

bool CompanyListForm::CopyAddress() {
    const bool written = CopyAddressToOpenDocument(OpenDocuments());
    if (!written) {
        UpdateChooserControls();  // the chooser mode has ended
        return false;
    }
    copied_ = true;
    done(QDialog::Accepted);
    return true;
}

QColor CompanyListForm::RowTextColour(int row) const {
    const Dataset& d = dataset();
    if (!d.IsActive() || row < 0 || row >= d.FetchedCount()) return {};
    // The colours of RowColourOf, read by row so that painting does not move the cursor:
    // partners, then equipment vendors, then blacklisted companies, the later winning.
    auto flag = [&](const char* column) { return d.TextAt(row, QString::fromLatin1(column)) == u"1"; };
    if (flag("blacklisted")) return QColor(200, 0, 0);
    if (flag("equipvendor")) return QColor(0, 0, 210);
    if (flag("partner")) return QColor(0, 130, 0);
    return {};
}

void CompanyListForm::UpdateChooserControls() {
    const OpenDocumentIds open = OpenDocuments();
    const bool fetch = ShowsFetchAddressButton(open);
    if (fetchButton_) fetchButton_->setVisible(fetch);
    if (relatedPanel_) relatedPanel_->setVisible(!fetch);
    if (copyItem_) copyItem_->setVisible(ShowsCopyAddressItem(open));
}

void CompanyListForm::showEvent(QShowEvent* event) {
    ListWindowBase::showEvent(event);
    if (event->spontaneous()) return;
    Table& companies = DM().CompanyTable();
    if (!companies.IsEditing()) DM().OpenTableWithRights(companies, true, false);
    UpdateChooserControls();
    UpdateStatus();
}

void CompanyListForm::hideEvent(QHideEvent* event) {
    ListWindowBase::hideEvent(event);
    if (event->spontaneous()) return;
    CompanyListClosed();
}

bool CompanyListForm::eventFilter(QObject* watched, QEvent* event) {
    // The context menu is about to open: it shows what the open documents allow.
    if (watched == grid() && event->type() == QEvent::ContextMenu) UpdateChooserControls();
    return ListWindowBase::eventFilter(watched, event);
}

bool FetchAddressFromCompanyList(QWidget* parent) {
    if (CompanyListForm* list = CompanyListForm::Instance()) return list->FetchAddress();
    CompanyListForm list(parent);
    return list.FetchAddress();
}
