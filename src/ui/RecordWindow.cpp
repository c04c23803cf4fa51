#include "ui/RecordWindow.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QRegularExpressionValidator>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/frame/Prompter.h"
#include "db/Dataset.h"
#include "ui/DbDateEdit.h"
#include "ui/DbFieldLink.h"
#include "ui/DbLineEdit.h"
#include "ui/DbLookupCombo.h"
#include "ui/DbNavigator.h"
#include "ui/DetailSlider.h"

RecordWindowBase::RecordWindowBase(const QString& windowName, const QString& title, Dataset& dataset, QWidget* parent)
    : WindowBase<QDialog>(windowName, parent), dataset_(&dataset), title_(title), commands_(this) {
    const Qt::Key ctrl = Qt::Key(Qt::CTRL);
    save_ = commands_.Add("Lagre", "Lagre", QKeySequence(ctrl | Qt::Key_S), [this] { Save(); });
    cancel_ = commands_.Add("Avbryt", "Avbryt", QKeySequence(ctrl | Qt::Key_Z), [this] { CancelEdit(); });
    add_ = commands_.Add("Ny", "Ny", QKeySequence(ctrl | Qt::Key_N), [this] { NewRecord(); });
    remove_ = commands_.Add("Slett", "Slett", QKeySequence(ctrl | Qt::Key_Delete), [this] { DeleteRecord(); });

    navigator_ = new DbNavigator(this);
    navigator_->SetDataset(&dataset);
    navigator_->SetVisibleButtons({DbNavigator::First, DbNavigator::Prior, DbNavigator::Next, DbNavigator::Last});

    toolRow_ = new QHBoxLayout;
    for (QAction* a : {save_, cancel_, add_, remove_}) toolRow_->addWidget(commands_.Button(a, this));
    toolRow_->addWidget(navigator_);
    toolRow_->addStretch();
    layout_ = new QVBoxLayout(this);
    layout_->addLayout(toolRow_);

    auto state = [this](Dataset&) {
        UpdateCaption();
        UpdateCommands();
    };
    eventIds_ = {dataset.OnStateChange().Add(state), dataset.AfterScroll().Add(state)};
    UpdateCaption();
    UpdateCommands();
}

RecordWindowBase::~RecordWindowBase() {
    dataset_->OnStateChange().Remove(eventIds_[0]);
    dataset_->AfterScroll().Remove(eventIds_[1]);
}

void RecordWindowBase::SetPanels(std::vector<QWidget*> panels) {
    if (slider_ || panels.empty()) return;
    for (std::size_t i = 0; i < panels.size(); ++i) layout_->addWidget(panels[i], i + 1 == panels.size() ? 1 : 0);
    slider_ = new DetailSlider(std::move(panels), this);
    slider_->setObjectName(QStringLiteral("detailSlider"));
    toolRow_->addWidget(slider_);
    connect(slider_, &QSlider::valueChanged, this, [this] { SetDiverse(slider_->LevelText()); });
    slider_->SetLevelText(Diverse());
}

DbLineEdit* RecordWindowBase::TextEdit(const QString& column, QWidget* parent) {
    auto* edit = new DbLineEdit(dataset_, column, parent);
    edit->setObjectName(column);
    return edit;
}

DbLineEdit* RecordWindowBase::NumberEdit(const QString& column, QWidget* parent, bool decimals) {
    DbLineEdit* edit = TextEdit(column, parent);
    const QString pattern = decimals ? QStringLiteral(R"(-?[0-9 ]*([.,][0-9]*)?)") : QStringLiteral("-?[0-9 ]*");
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), edit));
    edit->setAlignment(Qt::AlignRight);
    edit->setToolTip(decimals ? QStringLiteral("Bare tall") : QStringLiteral("Bare hele tall"));
    // Runs after the edit's own handler: the record gets the number as the server reads it
    // ("1 234,5" is 1234.5; a lone sign or comma is no number yet).
    connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& text) {
        QString number = text;
        number.remove(u' ').remove(QChar(0x00A0)).replace(u',', u'.');
        if (number == u"-" || number == u"." || number == u"-.") number.clear();
        if (number != text) edit->link().Change(number);
    });
    return edit;
}

DbLookupCombo* RecordWindowBase::LookupCombo(const QString& column, Dataset& lookup, const QString& display,
                                             QWidget* parent) {
    auto* combo = new DbLookupCombo(parent);
    combo->setObjectName(column);
    combo->SetDataSource(dataset_, column);
    combo->SetLookup(&lookup, QStringLiteral("id"), display);
    return combo;
}

QToolButton* RecordWindowBase::SmallButton(const QString& name, const QString& text, const QString& tip,
                                           QWidget* parent) {
    auto* button = new QToolButton(parent);
    if (!name.isEmpty()) button->setObjectName(name);
    button->setText(text);
    button->setToolTip(tip);
    return button;
}

QHBoxLayout* RecordWindowBase::FieldWithButton(QWidget* field, QToolButton* button) {
    auto* row = new QHBoxLayout;
    row->addWidget(field, 1);
    row->addWidget(button);
    return row;
}

DbDateEdit* RecordWindowBase::DateEdit(const QString& column, QWidget* parent) {
    auto* edit = new DbDateEdit(dataset_, column, parent);
    edit->setObjectName(column);
    return edit;
}

bool RecordWindowBase::Save() {
    if (!dataset_->IsEditing()) return true;
    if (dataset_->Post()) return true;
    // The edit stays, so nothing typed is lost.
    if (!dataset_->LastError().isEmpty()) ShowMessage(QStringLiteral("FEIL"), dataset_->LastError());
    return false;
}

void RecordWindowBase::CancelEdit() {
    if (dataset_->IsEditing()) dataset_->Cancel();
}

bool RecordWindowBase::NewRecord() {
    if (dataset_->IsEditing() && !Save()) return false;
    if (dataset_->Insert()) return true;
    ShowMessage(QStringLiteral("FEIL"), dataset_->LastError());
    return false;
}

bool RecordWindowBase::DeleteRecord() {
    if (dataset_->IsEmpty()) return false;
    if (dataset_->Delete()) return true;
    // A declined confirmation cancels without a message.
    if (!dataset_->LastError().isEmpty()) ShowMessage(QStringLiteral("FEIL"), dataset_->LastError());
    return false;
}

void RecordWindowBase::UpdateCommands() {
    const bool editing = dataset_->IsEditing();
    const bool canModify = dataset_->CanModify();
    // By the actions themselves: a register may rename them ("Ny post" / "Nytt firma").
    save_->setEnabled(editing);
    cancel_->setEnabled(editing);
    add_->setEnabled(canModify && !editing);
    remove_->setEnabled(canModify && !editing && !dataset_->IsEmpty());
}

void RecordWindowBase::UpdateCaption() {
    const QString id = dataset_->IsActive() && dataset_->State() != DatasetState::Insert && dataset_->RecNo() > 0
                           ? dataset_->AsString(QStringLiteral("id"))
                           : QString();
    setWindowTitle(title_ + QStringLiteral(" [") + id + QStringLiteral("]"));
}

bool RecordWindowBase::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride && dataset_->IsEditing()) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (QKeySequence(key->keyCombination()) == cancel_->shortcut()) {
            event->ignore();  // not taken by the field: the window's shortcut runs
            return true;
        }
    }
    return WindowBase<QDialog>::eventFilter(watched, event);
}

void RecordWindowBase::showEvent(QShowEvent* event) {
    WindowBase<QDialog>::showEvent(event);
    if (event->spontaneous()) return;
    // The fields that take Ctrl+Z for their own undo (installing twice keeps one filter).
    for (QWidget* field : findChildren<QWidget*>())
        if (qobject_cast<QLineEdit*>(field) || qobject_cast<QTextEdit*>(field) || qobject_cast<QPlainTextEdit*>(field))
            field->installEventFilter(this);
    // The position keeper has just read the stored level.
    if (slider_) {
        slider_->SetLevelText(Diverse());
        SetDiverse(slider_->LevelText());
    }
    UpdateCaption();
    UpdateCommands();
}
