#include "products/ui/ProductTecDataForm.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QPixmap>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/frame/AppContext.h"
#include "data/DataModule.h"
#include "products/ProductRules.h"
#include "ui/DbFieldLink.h"
#include "ui/DbLineEdit.h"
#include "ui/WindowRegistry.h"

namespace {

const QString kWindowName = QStringLiteral("ProductTecDataForm");

QString DocumentFolder() { return Ctx().config().ReadIniString(QStringLiteral("DOC_LOCAL")); }

}  // namespace

ProductTecDataForm::ProductTecDataForm(QWidget* parent)
    : RecordWindowBase(kWindowName, QStringLiteral("Teknisk produktinformasjon"), DM().ProductTable(), parent) {
    // This window edits the row; new rows and deleting belong to the product window.
    for (QToolButton* button : findChildren<QToolButton*>()) {
        QAction* a = button->defaultAction();
        if (a && (a == Command(QStringLiteral("Ny")) || a == Command(QStringLiteral("Slett")))) button->hide();
    }
    QAction* save = Command(QStringLiteral("Lagre"));
    disconnect(save, &QAction::triggered, this, nullptr);
    connect(save, &QAction::triggered, this, [] { SaveProduct(DM().ProductTable()); });
    QAction* documents = commands().Add(QStringLiteral("Dokumenter"), [this] {
        if (dataset().IsActive() && !dataset().IsEmpty())
            ShowWindow(QStringLiteral("DocumentListForm"),
                       QStringLiteral("document.productid=") + dataset().AsString(QStringLiteral("id")));
    });
    toolRow()->insertWidget(toolRow()->count() - 1, commands().Button(documents, this));

    auto* panel = new QWidget(this);
    auto* grid = new QGridLayout(panel);
    grid->setColumnStretch(1, 1);
    int row = 0;
    auto add = [&](const QString& caption, QWidget* field, QWidget* button = nullptr) {
        grid->addWidget(new QLabel(caption, panel), row, 0);
        grid->addWidget(field, row, 1, 1, button ? 1 : 2);
        if (button) grid->addWidget(button, row, 2);
        ++row;
    };
    auto chooser = [&](const char* name, const QString& tip, auto run) {
        auto* b = new QToolButton(panel);
        b->setObjectName(QLatin1String(name));
        b->setText(QStringLiteral("..."));
        b->setToolTip(tip);
        connect(b, &QToolButton::clicked, this, run);
        return b;
    };
    add(QStringLiteral("Bildefil:"), TextEdit(QStringLiteral("picture"), panel),
        chooser("pictureButton", QStringLiteral("Velg bildefil"), [this] { ChoosePicture(); }));
    add(QStringLiteral("Tegningsfil:"), TextEdit(QStringLiteral("drawing"), panel),
        chooser("drawingButton", QStringLiteral("Velg tegningsfil"), [this] { ChooseDrawing(); }));
    add(QStringLiteral("Mappe:"), TextEdit(QStringLiteral("folder"), panel),
        chooser("folderButton", QStringLiteral("Valg mappe"), [this] { ChooseProductFolder(); }));
    add(QStringLiteral("Høyde:"), NumberEdit(QStringLiteral("height"), panel, false));
    add(QStringLiteral("Bredde:"), NumberEdit(QStringLiteral("width"), panel, false));
    add(QStringLiteral("Dybde:"), NumberEdit(QStringLiteral("deepth"), panel, false));
    add(QStringLiteral("Volum:"), NumberEdit(QStringLiteral("volume"), panel));
    add(QStringLiteral("Vekt:"), NumberEdit(QStringLiteral("weight"), panel));
    add(QStringLiteral("Standard:"), TextEdit(QStringLiteral("standard"), panel));
    add(QStringLiteral("Systemkrav:"), TextEdit(QStringLiteral("requirement"), panel));
    picture_ = new QLabel(panel);
    picture_->setObjectName(QStringLiteral("pictureView"));
    picture_->setAlignment(Qt::AlignCenter);
    picture_->hide();
    grid->addWidget(picture_, row, 0, 1, 3);
    grid->setRowStretch(row + 1, 1);
    if (auto* column = qobject_cast<QVBoxLayout*>(layout())) column->addWidget(panel, 1);
    resize(520, 380);

    setContextMenuPolicy(Qt::ActionsContextMenu);
    QAction* cancel = Command(QStringLiteral("Avbryt"));
    addActions({save, cancel, documents});

    auto changed = [this](Dataset&) { UpdatePicture(); };
    ids_ = {dataset().AfterScroll().Add(changed), dataset().AfterCancel().Add(changed)};
    connect(Field<DbLineEdit>(QStringLiteral("picture")), &QLineEdit::textChanged, this, [this] { UpdatePicture(); });

    RegisterWindow(kWindowName, this, [this](const QString&) {
        show();
        raise();
    });
}

ProductTecDataForm::~ProductTecDataForm() {
    UnregisterWindow(kWindowName, this);
    dataset().AfterScroll().Remove(ids_[0]);
    dataset().AfterCancel().Remove(ids_[1]);
}

void ProductTecDataForm::showEvent(QShowEvent* event) {
    RecordWindowBase::showEvent(event);
    if (event->spontaneous()) return;
    Table& t = DM().ProductTable();
    if (!t.IsActive()) DM().OpenTableWithRights(t, false, false);
    UpdatePicture();
}

// The chosen file is stored as the chooser gives it; the web-mapped form of the documents
// archive replaces it when the archive's folder mapping exists.
bool ProductTecDataForm::ChooseFile(const QString& column, const QString& title, const QString& filter) {
    auto* edit = Field<DbLineEdit>(column);
    if (!edit || !edit->link().CanChange()) return false;
    const QString file = ChooseOpenFile(title, DocumentFolder(), filter);
    if (file.isEmpty()) return false;
    return edit->SetUserText(file);
}

bool ProductTecDataForm::ChoosePicture() {
    return ChooseFile(QStringLiteral("picture"), QStringLiteral("Bildefil"),
                      QStringLiteral("Bilder (*.png *.jpg *.jpeg *.bmp *.gif);;Alle filer (*)"));
}

bool ProductTecDataForm::ChooseDrawing() {
    return ChooseFile(QStringLiteral("drawing"), QStringLiteral("Tegningsfil"), QStringLiteral("Alle filer (*)"));
}

bool ProductTecDataForm::ChooseProductFolder() {
    auto* edit = Field<DbLineEdit>(QStringLiteral("folder"));
    if (!edit || !edit->link().CanChange()) return false;
    const QString current = dataset().AsString(QStringLiteral("folder"));
    const QString start = current.isEmpty() ? DocumentFolder() : current;
    // The Prompter itself, which tells a cancel from a choice.
    QString folder = Ctx().prompter().ChooseFolder(QStringLiteral("Valg mappe"), start);
    if (folder.isEmpty()) return false;
    while (folder.endsWith(u'/') || folder.endsWith(u'\\')) folder.chop(1);
    return edit->SetUserText(folder + QLatin1Char('\\'));
}

void ProductTecDataForm::UpdatePicture() {
    const Dataset& d = dataset();
    const QString file = d.IsActive() ? d.AsString(QStringLiteral("picture")).trimmed() : QString();
    QPixmap pixmap;
    if (isVisible() && !file.isEmpty() && Ctx().config().ReadIniBool(QStringLiteral("DOC_URL_USEIMAGES")) &&
        QFileInfo(file).isFile())
        pixmap.load(file);
    if (pixmap.isNull()) {
        picture_->clear();
        picture_->hide();
        return;
    }
    picture_->setPixmap(pixmap.scaled(QSize(320, 200), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    picture_->show();
}
