#include "ui/DbNavigator.h"

#include <QHBoxLayout>
#include <QToolButton>

#include "app/frame/Prompter.h"
#include "db/Dataset.h"

namespace {

struct ButtonDef {
    const char* text;
    const char* tip;
};

const ButtonDef kButtons[DbNavigator::ButtonCount] = {
    {"|<", "Første post"}, {"<", "Forrige post"}, {">", "Neste post"},  {">|", "Siste post"},
    {"+", "Ny post"},      {"-", "Slett post"},   {"✎", "Rediger post"}, {"✓", "Lagre"},
    {"✕", "Avbryt"},       {"↻", "Oppdater"},
};

}  // namespace

DbNavigator::DbNavigator(QWidget* parent) : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    for (int i = 0; i < ButtonCount; ++i) {
        auto* b = new QToolButton(this);
        b->setText(QString::fromUtf8(kButtons[i].text));
        b->setToolTip(QString::fromUtf8(kButtons[i].tip));
        b->setAutoRaise(false);
        connect(b, &QToolButton::clicked, this, [this, i] { Press(static_cast<Button>(i)); });
        layout->addWidget(b);
        buttons_.push_back(b);
    }
    layout->addStretch();
    UpdateButtons();
}

DbNavigator::~DbNavigator() { Detach(); }

void DbNavigator::SetDataset(Dataset* dataset) {
    Detach();
    dataset_ = dataset;
    if (dataset_) {
        auto update = [this](Dataset&) { UpdateButtons(); };
        ids_ = {dataset_->AfterScroll().Add(update), dataset_->OnStateChange().Add(update)};
    }
    UpdateButtons();
}

void DbNavigator::Detach() {
    if (!dataset_ || ids_.size() != 2) return;
    dataset_->AfterScroll().Remove(ids_[0]);
    dataset_->OnStateChange().Remove(ids_[1]);
    ids_.clear();
}

void DbNavigator::SetVisibleButtons(const std::vector<Button>& visible) {
    for (int i = 0; i < ButtonCount; ++i)
        buttons_[static_cast<std::size_t>(i)]->setVisible(std::find(visible.begin(), visible.end(), i) != visible.end());
}

void DbNavigator::UpdateButtons() {
    const bool active = dataset_ && dataset_->IsActive();
    const bool editing = active && dataset_->IsEditing();
    const bool writable = active && dataset_->CanModify();
    const bool hasRow = active && !dataset_->IsEmpty();
    const bool notFirst = hasRow && (editing || dataset_->RecNo() > 1);
    const bool notLast = hasRow && (editing || dataset_->RecNo() < dataset_->RecordCount());
    button(First)->setEnabled(notFirst);
    button(Prior)->setEnabled(notFirst);
    button(Next)->setEnabled(notLast);
    button(Last)->setEnabled(notLast);
    button(Insert)->setEnabled(writable);
    button(Delete)->setEnabled(writable && hasRow);
    button(Edit)->setEnabled(writable && hasRow && !editing);
    button(Post)->setEnabled(editing);
    button(Cancel)->setEnabled(editing);
    button(Refresh)->setEnabled(active);
}

void DbNavigator::Press(Button which) {
    if (!dataset_) return;
    Dataset& d = *dataset_;
    bool ok = true;
    switch (which) {
        // Moving fails quietly at either end; it fails loudly when the changes of the row
        // being left could not be saved.
        case First: d.First(); ok = !d.IsEditing(); break;
        case Prior: d.Prior(); ok = !d.IsEditing(); break;
        case Next: d.Next(); ok = !d.IsEditing(); break;
        case Last: d.Last(); ok = !d.IsEditing(); break;
        case Insert: ok = d.Insert(); break;
        case Delete: ok = d.Delete() || d.LastError().isEmpty(); break;  // a "no" says nothing
        case Edit: ok = d.Edit(); break;
        case Post: ok = d.Post(); break;
        case Cancel: d.Cancel(); break;
        case Refresh: ok = d.Refresh(); break;
        case ButtonCount: break;
    }
    if (!ok && !d.LastError().isEmpty()) ShowMessage(QStringLiteral("FEIL"), d.LastError());
    UpdateButtons();
}
