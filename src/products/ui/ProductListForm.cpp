#include "products/ui/ProductListForm.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QShowEvent>
#include <QStatusBar>
#include <QTableView>

#include "app/frame/AppContext.h"
#include "crm/CrmModule.h"
#include "crm/ui/CompanySelectForm.h"
#include "data/DataModule.h"
#include "products/ProductBulk.h"
#include "products/PriceRules.h"
#include "products/ProductRules.h"
#include "products/ui/ProductListDelegates.h"
#include "ui/LaterVersion.h"
#include "ui/WindowRegistry.h"

namespace {

const QString kWindowName = QStringLiteral("ProductListForm");

Table& Products() { return DM().ProductTable(); }

std::vector<DatasetColumn> Columns() {
    return {
        {"user_favorite", "."},
        {"productcode", "Varenummer"},
        {"producttext", "Tekst"},
        {"instock", "Lager"},
        {"price", "Utpris", "0.00"},
        {"piece", "Enhet"},
        {"real_cost", "Kostpris", "0.00"},
        {"productgroup", "Varegruppe"},
        {"PriceInclVAT", "Inkl. MVA", "0.00"},
        {"lastsale", "Sist UT", "dd.MM.yyyy"},
        {"lastorder", "Sist INN", "dd.MM.yyyy"},
        {"firstsale", "Først INN", "dd.MM.yyyy"},
        {"EAN", "EAN"},
        {"product_companyname", "Leverandør"},
    };
}

// The number of a document of a lookup query (id, ordernumber), its id when not found.
QString DocumentNumber(Lookup which, int id) {
    Query& q = DM().LookupQuery(which);
    if (q.IsActive()) {
        const int row = q.FindRow(QStringLiteral("id"), id);
        if (row >= 0) return q.TextAt(row, QStringLiteral("ordernumber"));
    }
    return QString::number(id);
}

}  // namespace

ProductListForm::ProductListForm(QWidget* parent)
    : ListWindowBase(kWindowName, Products(), Columns(), parent),
      chooseVendor_([](QWidget* owner) { return CompanySelectForm::Choose(owner); }) {
    resize(1000, 560);
    setWindowTitle(QStringLiteral("Vareliste (") + Products().TableName() + QStringLiteral(")"));
    SetSearchColumn(QStringLiteral("productcode"));
    SetRecordOpener([this] { EditProduct(); });
    model()->SetSortHandler([this](const QString& field) { Sort(field); });
    grid()->setItemDelegateForColumn(0, new FavouriteDelegate(grid()));
    // The price with VAT is calculated: every row's own, not only the cursor's.
    const QString inclVat = QStringLiteral("PriceInclVAT");
    grid()->setItemDelegateForColumn(
        model()->ColumnOf(inclVat), new RowTextDelegate([this, inclVat](int row) { return CellText(row, inclVat); }, grid()));
    grid()->horizontalHeader()->resizeSection(0, 22);
    grid()->horizontalHeader()->resizeSection(1, 110);
    grid()->horizontalHeader()->resizeSection(2, 260);
    // The menu is built when it opens, so that its captions follow the current row.
    grid()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(grid(), &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        UpdateMenu();
        QMenu menu(this);
        menu.addActions(grid()->actions());
        menu.exec(grid()->viewport()->mapToGlobal(at));
    });
    // Installed after the base's filter, so it sees the keys first.
    grid()->installEventFilter(this);

    BuildCommands();
    BuildStatusBar();
    ids_ = {Products().AfterScroll().Add([this](Dataset&) { UpdateMenu(); })};
    UpdateMenu();

    RegisterWindow(kWindowName, this, [this](const QString& argument) {
        show();
        raise();
        if (argument == u"new") NewProduct();
    });
}

ProductListForm::~ProductListForm() {
    UnregisterWindow(kWindowName, this);
    Products().AfterScroll().Remove(ids_[0]);
}

void ProductListForm::BuildCommands() {
    const Qt::Key ctrl = Qt::Key(Qt::CTRL);
    auto filter = [this](ProductListFilter f) { return [this, f] { ApplyFilter(f); }; };
    auto later = [this](const char* window, const QString& argument = QString()) {
        return [this, window, argument] {
            Begin();
            ShowWindow(QLatin1String(window), argument);
        };
    };

    AddCommand("Ny", "Ny vare", QKeySequence(ctrl | Qt::Key_N), [this] { NewProduct(); });
    QAction* edit = AddCommand("Rediger", "Rediger", QKeySequence(ctrl | Qt::Key_Return), [this] { EditProduct(); }, false);
    edit->setShortcuts({QKeySequence(ctrl | Qt::Key_Return), QKeySequence(ctrl | Qt::Key_Enter)});
    AddCommand("Slett", "Slett", QKeySequence(ctrl | Qt::Key_Delete), [this] { DeleteProduct(); }, false);
    AddCommand("Oppdater", "Oppdater", QKeySequence(Qt::Key_F5), [this] {
        Begin();
        DM().OpenTableWithRights(Products(), true, false);
    }, false);
    AddCommand("Utskrift av lister", "Utskrift", QKeySequence(ctrl | Qt::Key_P), later("ProductPrintForm"));
    AddCommand("Utskrift av etikett", "Etikett", QKeySequence(Qt::Key_F8), later("LabelPrintForm"));
    AddMenuSeparator();
    AddCommand("Filtrer etter ...", "Filter", QKeySequence(ctrl | Qt::Key_F), [this] {
        Begin();
        QuickSearchProductsCommand();
    });
    AddCommand("Favoritter", "Favoritter", QKeySequence(), filter(ProductListFilter::Favourites));
    vendorFavourites_ = AddCommand("Favoritter fra", "Favoritter fra", QKeySequence(),
                                   filter(ProductListFilter::VendorFavourites), false);
    group_ = AddCommand("Varegruppe", "Varegruppe", QKeySequence(), filter(ProductListFilter::ProductGroup), false);
    AddCommand("Varegrupper og utvalg ...", "Varegrupper", QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_F),
               later("ProductGroupListForm"));
    vendor_ = AddCommand("Leverandør", "Leverandør", QKeySequence(), filter(ProductListFilter::Vendor), false);
    AddCommand("Velg leverandør ...", "Velg leverandør ...", QKeySequence(), [this] { ChooseVendor(); }, false);
    AddCommand("Lagervare", "Lagervare", QKeySequence(), filter(ProductListFilter::StockArticles), false);
    AddCommand("På lager", "På lager", QKeySequence(), filter(ProductListFilter::InStock), false);
    AddCommand("Lager, på lager og lagervare", "Lager, på lager og lagervare", QKeySequence(),
               filter(ProductListFilter::StockOrInStock), false);
    AddCommand("Varer under minimum", "Varer under minimum", QKeySequence(), filter(ProductListFilter::BelowMinimum),
               false);
    vendorBelowMinimum_ = AddCommand("Varer under minimum fra", "Varer under minimum fra", QKeySequence(),
                                     filter(ProductListFilter::VendorBelowMinimum), false);
    AddCommand("Egenproduserte varer", "Egenproduserte varer", QKeySequence(), filter(ProductListFilter::OwnProduction),
               false);
    AddCommand("Ukurante varer", "Ukurante varer", QKeySequence(), filter(ProductListFilter::HardToSell), false);
    AddCommand("I nettbutikken", "I nettbutikken", QKeySequence(), filter(ProductListFilter::WebShop), false);
    AddCommand("Pakker", "Pakker", QKeySequence(), filter(ProductListFilter::Packages));
    // A button only.
    QAction* popular = AddCommand("Polulære", "Polulære", QKeySequence(), filter(ProductListFilter::Popular));
    grid()->removeAction(popular);
    AddCommand("Vis alle", "Vis alle", QKeySequence(ctrl | Qt::Key_A), filter(ProductListFilter::None));
    AddMenuSeparator();
    AddCommand("Dokumenter", "Dokumenter", QKeySequence(), [this] {
        Begin();
        if (!Products().IsActive() || Products().IsEmpty()) return;
        ShowWindow(QStringLiteral("DocumentListForm"),
                   QStringLiteral("document.productid=") + Products().AsString(QStringLiteral("id")));
    }, false);
    AddCommand("Varetransaksjoner", "Varetransaksjoner", QKeySequence(), [this] {
        Begin();
        if (!Products().IsActive() || Products().IsEmpty()) return;
        ShowWindow(QStringLiteral("ItemsListForm"),
                   QStringLiteral("productcode=") + DM().connection().Quote(Products().AsString(QStringLiteral("productcode"))));
    }, false);
    AddCommand("Varelagerstatus", "Varelagerstatus", QKeySequence(), later("ProductStatusForm"), false);
    AddCommand("Vareforbruk", "Vareforbruk", QKeySequence(), later("ProductCountForm"), false);
    adminCommands_.push_back(
        AddCommand("Prisjustering", "Prisjustering", QKeySequence(), later("ProductPriceUpdateForm"), false));
    AddCommand("Prisjustering på vekt", "Prisjustering på vekt", QKeySequence(), later("ProductPriceWeightForm"),
               false);
    adminCommands_.push_back(
        AddCommand("Importer prisliste", "Importer prisliste", QKeySequence(), later("ProductImportForm"), false));
    adminCommands_.push_back(AddCommand("Importer rabattliste", "Importer rabattliste", QKeySequence(),
                                        later("ProductImportDiscountForm"), false));
    AddMenuSeparator();
    AddCommand("Rekalkuler alle varer", "Rekalkuler alle varer", QKeySequence(), [this] {
        Begin();
        RecalculateProductPrices();
        NoteAffected();
    }, false);
    AddCommand("Rekalkuler alle varer med kroneavrunding", "Rekalkuler alle varer med kroneavrunding", QKeySequence(),
               [this] { RecalculateWithRounding(); }, false);
    AddCommand("Generer EAN-nummer", "Generer EAN-nummer", QKeySequence(), [this] { GenerateEan(); }, false);
    AddMenuSeparator();
    adminCommands_.push_back(AddCommand("Sett varelager tilbake til opptelt verdi",
                                        "Sett varelager tilbake til opptelt verdi", QKeySequence(),
                                        [this] { ResetStockCommand(StockReset::BackToCounted); }, false));
    adminCommands_.push_back(AddCommand("Sett varelager til 0", "Sett varelager til 0", QKeySequence(),
                                        [this] { ResetStockCommand(StockReset::ToZero); }, false));
    adminCommands_.push_back(AddCommand("Sett varelager som opptelt verdi", "Sett varelager som opptelt verdi",
                                        QKeySequence(), [this] { ResetStockCommand(StockReset::AsCounted); }, false));
    AddCommand("Skift til annet lager", "Skift til annet lager", QKeySequence(), later("ProductLocationSelectForm"),
               false);
    AddCommand("Trekk 1 fra lager", "Trekk 1 fra lager", QKeySequence(), [this] { Stock(false); }, false);
    AddCommand("Legg til 1 på lager", "Legg til 1 på lager", QKeySequence(), [this] { Stock(true); }, false);
    QMenu* characters = AddSubMenu(QStringLiteral("Tegnsett"));
    QAction* fix = commands().Add(QStringLiteral("Fiks stor ÆØÅ"), [this] { FixCapitalLetters(); });
    characters->addAction(fix);
    AddCommand("Oppdater lager fra håndterminal", "Oppdater lager fra håndterminal", QKeySequence(Qt::Key_F4),
               later("ProductTerminalDialogForm"), false);

    // The open document's commands; the document line dialog comes with a later version.
    fetchToDocumentSeparator_ = new QAction(this);
    fetchToDocumentSeparator_->setSeparator(true);
    grid()->addAction(fetchToDocumentSeparator_);
    fetchToDocument_ = AddCommand("Hent til ordre", "Hent til ordre", QKeySequence(ctrl | Qt::Key_Less), [this] {
        Begin();
        ShowLaterVersion();
    }, false);
    fetchAllToPo_ = AddCommand("Hent alle til bestilling", "Hent alle til bestilling", QKeySequence(), [this] {
        Begin();
        ShowLaterVersion();
    }, false);
    AddMenuSeparator();
    AddCommand("Teknisk informasjon", "Teknisk informasjon", QKeySequence(), [this] {
        Begin();
        if (Products().IsActive() && !Products().IsEmpty()) ShowWindow(QStringLiteral("ProductTecDataForm"));
    }, false);
    AddCommand("Hovedmeny", "Hovedmeny", QKeySequence(Qt::Key_F10), [] { ShowWindow(QStringLiteral("MainWindow")); },
               false);
}

void ProductListForm::BuildStatusBar() {
    status_[0] = AddStatusField([this] {
        if (!firstFieldText_.isEmpty()) return firstFieldText_;
        const Table& t = Products();
        return t.IsActive() ? QStringLiteral("Antall: ") + QString::number(t.ServerRecordCount()) : QString();
    });
    status_[1] = AddStatusField([this] { return affectedText_; });
    status_[2] = AddStatusField([this] { return QStringLiteral("Sortering: ") + SortName(); });
    status_[3] = AddStatusField([this] { return progressText_.isEmpty() ? Products().FilterSql() : progressText_; });
    for (QLabel* label : status_) label->setMinimumWidth(90);
}

void ProductListForm::showEvent(QShowEvent* event) {
    ListWindowBase::showEvent(event);
    if (event->spontaneous()) return;
    setWindowTitle(QStringLiteral("Vareliste (") + Products().TableName() + QStringLiteral(")"));
    if (!Products().IsEditing()) DM().OpenTableWithRights(Products(), true, false);
    UpdateMenu();
    UpdateStatus();
}

bool ProductListForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grid() && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers modifiers = key->modifiers();
        if (key->key() == Qt::Key_Space && (modifiers & ~Qt::KeypadModifier) == Qt::NoModifier) {
            ToggleFavouriteCommand();
            return true;
        }
        if (modifiers == Qt::KeypadModifier && (key->key() == Qt::Key_Plus || key->key() == Qt::Key_Minus)) {
            Stock(key->key() == Qt::Key_Plus);
            return true;
        }
    }
    return ListWindowBase::eventFilter(watched, event);
}

bool ProductListForm::EnsureOpen() {
    return Products().IsActive() || DM().OpenTableWithRights(Products(), false, false);
}

QString ProductListForm::CellText(int row, const QString& field) const {
    const Table& t = Products();
    // The row being edited shows what is typed.
    if (row == model()->CurrentRow() || !t.IsActive() || row >= t.FetchedCount())
        return model()->CellText(row, model()->ColumnOf(field));
    if (field == u"PriceInclVAT") {
        const QString price = t.TextAt(row, QStringLiteral("price"));
        if (price.isEmpty()) return QString();
        return DatasetTableModel::FormatNumber(
            PriceInclVat(price.toDouble(), t.TextAt(row, QStringLiteral("vatcode")).toLongLong()), QStringLiteral("0.00"));
    }
    return model()->CellText(row, model()->ColumnOf(field));
}

QString ProductListForm::SortName() const {
    QString order = Products().Order().trimmed();
    if (order.endsWith(QStringLiteral(" DESC"), Qt::CaseInsensitive)) order.chop(5);
    order = order.trimmed();
    static const std::pair<const char*, const char*> kNames[] = {
        {"productcode", "varenummer"}, {"producttext", "varetekst"}, {"instock", "på lager"},
        {"price", "pris"},             {"real_cost", "kostpris"},
    };
    for (const auto& [column, name] : kNames)
        if (order.compare(QLatin1String(column), Qt::CaseInsensitive) == 0) return QString::fromUtf8(name);
    return order;
}

void ProductListForm::Sort(const QString& field) {
    Begin();
    // The looked-up and calculated columns sort by the column they come from.
    QString column = field;
    if (field == u"product_companyname")
        column = QStringLiteral("vendorid");
    else if (field == u"PriceInclVAT")
        column = QStringLiteral("price");
    Table& t = Products();
    if (t.IsEditing() && !SaveProduct(t)) return;
    const QString order = t.Order() == column ? column + QStringLiteral(" DESC") : column;
    if (!t.SetOrder(order)) ShowMessage(QStringLiteral("FEIL"), t.LastError());
    if (!t.IsActive()) model()->Reload();
    UpdateStatus();
}

long long ProductListForm::Vendor() const {
    const Table& t = Products();
    return t.IsActive() && !t.IsEmpty() ? t.AsInteger(QStringLiteral("vendor")) : 0;
}

QString ProductListForm::VendorName() const {
    const Table& t = Products();
    if (!t.IsActive() || t.IsEmpty()) return QString();
    const QString name = t.AsString(QStringLiteral("product_companyname"));
    return name.isEmpty() && Vendor() != 0 ? QString::number(Vendor()) : name;
}

QString ProductListForm::Group() const {
    const Table& t = Products();
    return t.IsActive() && !t.IsEmpty() ? t.AsString(QStringLiteral("productgroup")) : QString();
}

QString ProductListForm::OpenDocumentCaption(const OpenDocumentIds& open) const {
    // The purchase order before the offer, the offer before the order, the order before the invoice.
    if (open.poId) return QStringLiteral("Hent til bestilling ") + DocumentNumber(Lookup::Purchases, open.poId);
    if (open.offerId) return QStringLiteral("Hent til tilbud ") + DocumentNumber(Lookup::Offers, open.offerId);
    if (open.orderId) return QStringLiteral("Hent til ordre ") + DocumentNumber(Lookup::Orders, open.orderId);
    if (open.invoiceId) return QStringLiteral("Hent til faktura ") + DocumentNumber(Lookup::Invoices, open.invoiceId);
    return QStringLiteral("Hent til ordre");
}

void ProductListForm::UpdateMenu() {
    const QString vendorName = VendorName();
    const bool hasVendor = Vendor() != 0;
    vendorFavourites_->setText(QStringLiteral("Favoritter fra ") + vendorName);
    vendor_->setText(QStringLiteral("Leverandør ") + vendorName);
    vendorBelowMinimum_->setText(QStringLiteral("Varer under minimum fra ") + vendorName);
    for (QAction* a : {vendorFavourites_, vendor_, vendorBelowMinimum_}) a->setEnabled(hasVendor);
    const QString group = Group();
    group_->setText(QStringLiteral("Varegruppe ") + group);
    group_->setVisible(!group.isEmpty());

    const OpenDocumentIds open =
        openDocuments_ ? openDocuments_() : (CrmModule::HasCurrent() ? Crm().OpenDocuments() : OpenDocumentIds{});
    fetchToDocument_->setText(OpenDocumentCaption(open));
    fetchToDocument_->setVisible(open.Any());
    fetchToDocumentSeparator_->setVisible(open.Any());
    fetchAllToPo_->setText(QStringLiteral("Hent alle til bestilling ") +
                           (open.poId ? DocumentNumber(Lookup::Purchases, open.poId) : QString()));
    fetchAllToPo_->setVisible(open.poId != 0);

    const bool admin = AppContext::HasCurrent() && DataModule::HasCurrent() && CanResetStock();
    for (QAction* a : adminCommands_) a->setEnabled(admin);
}

void ProductListForm::NoteAffected() {
    affectedText_ = QStringLiteral("Endret: ") + QString::number(DM().connection().AffectedRows());
    UpdateStatus();
}

void ProductListForm::NewProduct() {
    Begin();
    Table& t = Products();
    if (!EnsureOpen()) return;
    if (t.IsEditing() && !SaveProduct(t)) return;
    if (!t.Insert()) {
        ShowMessage(QStringLiteral("FEIL"), t.LastError());
        return;
    }
    ShowWindow(QStringLiteral("ProductDataForm"));
}

void ProductListForm::EditProduct() {
    Begin();
    if (!Products().IsActive() || Products().IsEmpty()) return;
    ShowWindow(QStringLiteral("ProductDataForm"));
}

void ProductListForm::DeleteProduct() {
    Begin();
    Table& t = Products();
    if (!t.IsActive() || t.IsEmpty()) return;
    // A declined confirmation cancels without a message.
    if (!t.Delete() && !t.LastError().isEmpty()) ShowMessage(QStringLiteral("FEIL"), t.LastError());
}

void ProductListForm::ApplyFilter(ProductListFilter filter) {
    Begin();
    ApplyProductListFilter(filter, Vendor(), Group());
    UpdateStatus();
}

void ProductListForm::ChooseVendor() {
    Begin();
    if (!chooseVendor_) {
        ShowLaterVersion();
        return;
    }
    const int vendor = chooseVendor_(this);
    if (vendor < 0) return;
    SetProductListFilter(ProductListFilterSql(ProductListFilter::Vendor, DM().connection(), vendor));
    UpdateStatus();
}

void ProductListForm::Stock(bool add) {
    Begin();
    if (add ? AddOneToStock() : TakeOneFromStock()) NoteAffected();
}

void ProductListForm::ToggleFavouriteCommand() {
    Begin();
    if (ToggleFavourite()) NoteAffected();
}

void ProductListForm::ResetStockCommand(StockReset which) {
    Begin();
    const bool ran = ResetStock(which);
    if (ran) NoteAffected();
    UpdateStatus();
}

void ProductListForm::GenerateEan() {
    Begin();
    const int filled = GenerateMissingEanNumbers();
    if (filled >= 0) affectedText_ = QStringLiteral("Endret: ") + QString::number(filled);
    UpdateStatus();
}

void ProductListForm::FixCapitalLetters() {
    Begin();
    const int changed = FixCapitalLettersInList();
    if (changed >= 0) {
        firstFieldText_ = ChangedProductsText(changed);
        affectedText_ = QStringLiteral("Endret: ") + QString::number(changed);
    }
    UpdateStatus();
}
