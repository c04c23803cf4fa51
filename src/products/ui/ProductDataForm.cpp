#include "products/ui/ProductDataForm.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QShowEvent>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/frame/Prompter.h"
#include "app/frame/TextHelpers.h"
#include "data/DataModule.h"
#include "products/Barcode.h"
#include "products/ProductRules.h"
#include "ui/DbCheckBox.h"
#include "ui/DbFieldLink.h"
#include "ui/DbLineEdit.h"
#include "ui/WindowRegistry.h"

namespace {

const QString kWindowName = QStringLiteral("ProductDataForm");

// An EAN that counts as a barcode: not empty and not "0".
bool HasEan(const QString& ean) {
    const QString t = ean.trimmed();
    return !t.isEmpty() && t != u"0";
}

}  // namespace

ProductDataForm::ProductDataForm(QWidget* parent)
    : RecordWindowBase(kWindowName, QStringLiteral("Varedata"), DM().ProductTable(), parent) {
    BuildCommands();
    basic_ = BuildBasicPanel();
    prices_ = BuildPricePanel();
    stock_ = BuildStockPanel();
    below_ = BuildBelowPanel();
    auto* panels = new QGridLayout;
    panels->setContentsMargins(0, 0, 0, 0);
    panels->addWidget(basic_, 0, 0, Qt::AlignTop);
    panels->addWidget(prices_, 1, 0, Qt::AlignTop);
    panels->addWidget(stock_, 0, 1, 2, 1, Qt::AlignTop);
    panels->addWidget(below_, 2, 0, 1, 2);
    panels->setRowStretch(2, 1);
    if (auto* column = qobject_cast<QVBoxLayout*>(layout())) column->addLayout(panels, 1);
    basic_->setMinimumWidth(450);
    prices_->setMinimumWidth(450);
    stock_->setMinimumWidth(300);

    levelSlider_ = new QSlider(Qt::Horizontal, this);
    levelSlider_->setObjectName(QStringLiteral("detailLevel"));
    levelSlider_->setRange(0, 3);
    levelSlider_->setPageStep(1);
    levelSlider_->setTickPosition(QSlider::TicksBelow);
    levelSlider_->setTickInterval(1);
    levelSlider_->setFixedWidth(80);
    levelSlider_->setToolTip(QStringLiteral("Detaljer: grunndata, priser, lager, alt"));
    toolRow()->addWidget(levelSlider_);
    connect(levelSlider_, &QSlider::valueChanged, this, [this] {
        SetDiverse(QString::number(Level()));
        ApplyLevel();
        adjustSize();
    });
    ApplyLevel();

    for (const char* column : {"cost", "price", "real_cost", "freight", "addsum", "direct_cost"})
        FormatNumberEdit(Field<DbLineEdit>(QLatin1String(column)), true);
    for (const char* column : {"discount", "addpercent", "insale", "inorder", "instock", "minstock", "maxstock",
                               "value", "internalwork"})
        FormatNumberEdit(Field<DbLineEdit>(QLatin1String(column)), false);

    connect(Field<DbLineEdit>(QStringLiteral("EAN")), &QLineEdit::textChanged, this,
            [this](const QString& text) { UpdateBarcode(text); });
    auto changed = [this](Dataset&) { UpdateRowDependent(); };
    ids_ = {dataset().AfterScroll().Add(changed), dataset().OnStateChange().Add(changed),
            dataset().AfterCancel().Add(changed)};
    UpdateRowDependent();

    RegisterWindow(kWindowName, this, [this](const QString&) {
        show();
        raise();
    });
}

ProductDataForm::~ProductDataForm() {
    UnregisterWindow(kWindowName, this);
    dataset().AfterScroll().Remove(ids_[0]);
    dataset().OnStateChange().Remove(ids_[1]);
    dataset().AfterCancel().Remove(ids_[2]);
}

void ProductDataForm::BuildCommands() {
    // The shared save, new and cancel go through the product's save rules and messages.
    QAction* save = Command(QStringLiteral("Lagre"));
    disconnect(save, &QAction::triggered, this, nullptr);
    connect(save, &QAction::triggered, this, [this] { SaveProductCommand(); });
    QAction* add = Command(QStringLiteral("Ny"));
    disconnect(add, &QAction::triggered, this, nullptr);
    connect(add, &QAction::triggered, this, [this] { NewProductCommand(); });
    add->setText(QStringLiteral("Ny post"));
    add->setIconText(QStringLiteral("Ny vare"));

    auto later = [](const char* window) { return [window] { ShowWindow(QLatin1String(window)); }; };
    QAction* first = commands().Add(QStringLiteral("Første post"), [this] {
        if (!dataset().IsEditing() || SaveProduct(DM().ProductTable())) dataset().First();
    });
    QAction* prior = commands().Add(QStringLiteral("Forrige post"), QStringLiteral("Forrige post"),
                                    QKeySequence(Qt::Key_PageUp), [this] { Move(-1); });
    QAction* next = commands().Add(QStringLiteral("Neste post"), QStringLiteral("Neste post"),
                                   QKeySequence(Qt::Key_PageDown), [this] { Move(1); });
    QAction* last = commands().Add(QStringLiteral("Siste post"), [this] {
        if (!dataset().IsEditing() || SaveProduct(DM().ProductTable())) dataset().Last();
    });
    QAction* label = commands().Add(QStringLiteral("Utskrift av Etikett"), QStringLiteral("Etikett"),
                                    QKeySequence(Qt::Key_F8), later("LabelPrintForm"));
    QAction* technical = commands().Add(QStringLiteral("Teknisk informasjon"), QStringLiteral("Teknisk"),
                                        QKeySequence(), later("ProductTecDataForm"));
    packageLines_ = commands().Add(QStringLiteral("Pakkelinjer"), later("PackageLinesForm"));
    QAction* documents = commands().Add(QStringLiteral("Dokumenter"), [this] {
        if (dataset().IsActive() && !dataset().IsEmpty())
            ShowWindow(QStringLiteral("DocumentListForm"),
                       QStringLiteral("document.productid=") + dataset().AsString(QStringLiteral("id")));
    });
    QAction* mainMenu = commands().Add(QStringLiteral("Hovedmeny"), QStringLiteral("Hovedmeny"),
                                       QKeySequence(Qt::Key_F10), later("MainWindow"));

    // The buttons after the navigator, the menu with every command.
    for (QAction* a : {label, technical, documents})
        toolRow()->insertWidget(toolRow()->count() - 1, commands().Button(a, this));
    setContextMenuPolicy(Qt::ActionsContextMenu);
    auto separator = [this] {
        auto* s = new QAction(this);
        s->setSeparator(true);
        return s;
    };
    QAction* cancel = Command(QStringLiteral("Avbryt"));
    addActions({save, cancel, add, Command(QStringLiteral("Slett")), separator(), first, prior, next, last,
                separator(), label, technical, packageLines_, documents, separator(), mainMenu});
}

int ProductDataForm::Level() const { return levelSlider_->value(); }

void ProductDataForm::SetLevel(int level) { levelSlider_->setValue(level); }

void ProductDataForm::ApplyLevel() {
    const int level = Level();
    prices_->setVisible(level == 1 || level == 3);
    stock_->setVisible(level >= 2);
}

void ProductDataForm::showEvent(QShowEvent* event) {
    RecordWindowBase::showEvent(event);
    if (event->spontaneous()) return;
    // The position keeper has just read the stored level.
    bool ok = false;
    const int level = Diverse().trimmed().toInt(&ok);
    {
        const QSignalBlocker block(levelSlider_);
        levelSlider_->setValue(ok ? level : 0);
    }
    SetDiverse(QString::number(Level()));
    ApplyLevel();
    adjustSize();
    // Another workstation may have changed the row since it was read.
    Table& t = DM().ProductTable();
    if (!t.IsActive())
        DM().OpenTableWithRights(t, false, false);
    else if (!t.IsReadOnly() && !t.IsEditing() && !t.IsEmpty() && !t.RefreshRecord())
        t.Refresh();  // the row is gone: the list as it stands now
    UpdateRowDependent();
}

bool ProductDataForm::SaveProductCommand() { return SaveProduct(DM().ProductTable()); }

bool ProductDataForm::NewProductCommand() {
    Table& t = DM().ProductTable();
    if (!t.IsActive() && !DM().OpenTableWithRights(t, false, false)) return false;
    if (t.IsEditing() && !SaveProduct(t)) return false;
    if (t.Insert()) return true;
    ShowMessage(QStringLiteral("FEIL"), t.LastError());
    return false;
}

void ProductDataForm::Move(int step) {
    Table& t = DM().ProductTable();
    if (!t.IsActive()) return;
    if (t.IsEditing() && !SaveProduct(t)) return;
    if (step < 0)
        t.Prior();
    else
        t.Next();
}

bool ProductDataForm::FillEan() {
    Dataset& d = dataset();
    if (!d.IsActive() || d.IsEmpty() || HasEan(d.AsString(QStringLiteral("EAN")))) return false;
    const QString ean = Ean128Text(d.AsString(QStringLiteral("productcode")));
    if (ean.isEmpty()) return false;
    return Field<DbLineEdit>(QStringLiteral("EAN"))->SetUserText(ean);
}

void ProductDataForm::FormatNumberEdit(DbLineEdit* edit, bool money) {
    auto format = [edit, money] {
        const QString text = edit->text();
        bool ok = false;
        const double value = text.toDouble(&ok);
        if (text.isEmpty() || !ok) return;
        QString shown = QString::number(RoundDecimal(value, money ? 2 : 6), 'f', money ? 2 : 6);
        if (!money && shown.contains(u'.')) {
            while (shown.endsWith(u'0')) shown.chop(1);
            if (shown.endsWith(u'.')) shown.chop(1);
        }
        if (shown != text) {
            const QSignalBlocker block(edit);
            edit->setText(shown);
        }
    };
    // Only what the record shows is reformatted, never what the user types; the record
    // itself keeps its value until the user changes the field.
    connect(edit, &QLineEdit::textChanged, edit, [edit, format] {
        if (edit->link().Filling()) format();
    });
    format();
}

void ProductDataForm::UpdateRowDependent() {
    const Dataset& d = dataset();
    const bool package = d.IsActive() && !d.IsEmpty() && d.AsInteger(QStringLiteral("recalc_id")) == 1;
    packageLines_->setVisible(package);
    packageLinesButton_->setVisible(package);
    // The edit shows the field, also while it is being typed.
    UpdateBarcode(Field<DbLineEdit>(QStringLiteral("EAN"))->text());
}

void ProductDataForm::UpdateBarcode(const QString& ean) {
    const QString shown = HasEan(ean) ? ean.trimmed() : QString();
    if (shown == barcodeText_ && !barcode_->pixmap().isNull() == !shown.isEmpty()) return;
    barcodeText_ = shown;
    const QImage picture = shown.isEmpty() ? QImage() : RenderEan128(shown);
    if (picture.isNull()) {
        barcode_->clear();
        barcode_->setToolTip(QString());
    } else {
        const QSize room = barcode_->size() - QSize(8, 8);
        const QImage fitted = picture.width() > room.width() || picture.height() > room.height()
                                  ? picture.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                                  : picture;
        barcode_->setPixmap(QPixmap::fromImage(fitted));
        barcode_->setToolTip(shown);
    }
}
