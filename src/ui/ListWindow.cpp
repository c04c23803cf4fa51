#include "ui/ListWindow.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QStatusBar>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "db/Dataset.h"
#include "db/Table.h"
#include "ui/LaterVersion.h"
#include "ui/ServerFinder.h"

namespace {

// Paints each row's background by the list's colour rule.
class RowColourDelegate : public QStyledItemDelegate {
  public:
    RowColourDelegate(const ListWindowBase* list, QObject* parent) : QStyledItemDelegate(parent), list_(list) {}

  protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        const QBrush brush = list_->RowColour(index.row());
        if (brush.style() != Qt::NoBrush) option->backgroundBrush = brush;
    }

  private:
    const ListWindowBase* list_;
};

constexpr int kSearchPage = 2000;
// Rows held from the search's start that are looked through before the server is asked.
constexpr int kHeldSearchRows = 1000;

}  // namespace

ListWindowBase::ListWindowBase(const QString& windowName, Dataset& dataset, std::vector<DatasetColumn> columns,
                               QWidget* parent)
    : WindowBase<QDialog>(windowName, parent), dataset_(&dataset), commands_(this) {
    model_ = new DatasetTableModel(dataset, std::move(columns), this);
    grid_ = new QTableView(this);
    grid_->setObjectName(QStringLiteral("grid"));
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->verticalHeader()->setDefaultSectionSize(20);
    grid_->verticalHeader()->hide();
    grid_->horizontalHeader()->setStretchLastSection(true);
    grid_->setItemDelegate(new RowColourDelegate(this, grid_));
    grid_->setContextMenuPolicy(Qt::ActionsContextMenu);
    grid_->installEventFilter(this);
    model_->AttachView(grid_);
    connect(grid_, &QTableView::doubleClicked, this, [this] { OpenRecord(); });

    searchBox_ = new QLineEdit(this);
    searchBox_->setObjectName(QStringLiteral("search"));
    searchBox_->setPlaceholderText(QStringLiteral("Søk"));
    searchBox_->setClearButtonEnabled(true);
    searchBox_->setMaximumWidth(220);
    searchBox_->installEventFilter(this);
    connect(searchBox_, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (!text.isEmpty()) TypeAhead(text);
    });

    buttons_ = new QHBoxLayout;
    buttons_->addStretch();
    buttons_->addWidget(searchBox_);
    statusBar_ = new QStatusBar(this);
    statusBar_->setSizeGripEnabled(false);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons_);
    layout->addWidget(grid_, 1);
    layout->addWidget(statusBar_);

    auto status = [this](Dataset&) { UpdateStatus(); };
    eventIds_ = {dataset.AfterOpen().Add(status), dataset.AfterRefresh().Add(status), dataset.AfterPost().Add(status),
                 dataset.AfterDelete().Add(status), dataset.AfterClose().Add(status)};
}

ListWindowBase::~ListWindowBase() {
    dataset_->AfterOpen().Remove(eventIds_[0]);
    dataset_->AfterRefresh().Remove(eventIds_[1]);
    dataset_->AfterPost().Remove(eventIds_[2]);
    dataset_->AfterDelete().Remove(eventIds_[3]);
    dataset_->AfterClose().Remove(eventIds_[4]);
}

QAction* ListWindowBase::AddCommand(const QString& menuText, const QString& buttonText, const QKeySequence& key,
                                    std::function<void()> run, bool button) {
    QAction* action = commands_.Add(menuText, buttonText, key, std::move(run));
    grid_->addAction(action);
    // The buttons go before the stretch that keeps the search box at the right.
    if (button) buttons_->insertWidget(buttons_->count() - 2, commands_.Button(action, this));
    return action;
}

QAction* ListWindowBase::AddLaterVersionCommand(const QString& menuText, QMenu* menu) {
    QAction* action = commands_.Add(menuText, [] { ShowLaterVersion(); });
    if (menu)
        menu->addAction(action);
    else
        grid_->addAction(action);
    return action;
}

void ListWindowBase::AddMenuSeparator() {
    auto* separator = new QAction(this);
    separator->setSeparator(true);
    grid_->addAction(separator);
}

QMenu* ListWindowBase::AddSubMenu(const QString& title) {
    auto* menu = new QMenu(title, this);
    grid_->addAction(menu->menuAction());
    return menu;
}

QString ListWindowBase::SearchColumn() const {
    if (!searchColumn_.isEmpty()) return searchColumn_;
    return model_->columns().empty() ? QString() : model_->columns().front().field;
}

int ListWindowBase::FindPrefix(const QString& column, const QString& text, int from) {
    int row = from;
    // A table ordered by the column: the rows held near the start are looked through, and
    // beyond them the server tells where the row stands, so that only the rows up to it are
    // read (a text nothing starts with reads nothing).
    auto* table = serverFinder_ ? nullptr : dynamic_cast<Table*>(dataset_);
    if (table && serverfinder::Serves(*table, column)) {
        for (const int held = std::min(dataset_->FetchedCount(), from + kHeldSearchRows); row < held; ++row)
            if (dataset_->TextAt(row, column).startsWith(text, Qt::CaseInsensitive)) return row;
        if (row >= dataset_->FetchedCount() && dataset_->AllFetched()) return -1;
        const int found = serverfinder::FindPrefix(*table, column, text);
        if (found != serverfinder::kCannotTell) return found;
    }
    for (;; ++row) {
        if (row >= dataset_->FetchedCount()) {
            if (dataset_->AllFetched()) return -1;
            if (serverFinder_) return serverFinder_(column, text);
            if (!dataset_->FetchMore(kSearchPage)) return -1;
        }
        if (dataset_->TextAt(row, column).startsWith(text, Qt::CaseInsensitive)) return row;
    }
}

bool ListWindowBase::TypeAhead(const QString& text) {
    const QString column = SearchColumn();
    if (text.isEmpty() || column.isEmpty() || !dataset_->IsActive()) return false;
    // No row before the last match starts with its text, so none starts with a longer one.
    const int from = !lastSearch_.isEmpty() && text.startsWith(lastSearch_, Qt::CaseInsensitive) ? lastSearchRow_ : 0;
    const int held = dataset_->FetchedCount();
    const int row = FindPrefix(column, text, from);
    if (row < 0) return false;
    lastSearch_ = text;
    lastSearchRow_ = row;
    // The grid learns of rows read just now only when it next lays itself out; until then
    // its scroll range ends at the old last row, and scrolling to the match would stop at
    // that end and ask for the next page.
    if (dataset_->FetchedCount() != held) grid_->doItemsLayout();
    return model_->MoveToRow(row);
}

QLabel* ListWindowBase::AddStatusField(std::function<QString()> text) {
    auto* label = new QLabel(this);
    statusBar_->addWidget(label);
    statusUpdates_.push_back([label, text = std::move(text)] { label->setText(text()); });
    statusUpdates_.back()();
    return label;
}

QLabel* ListWindowBase::AddRowCountField() {
    return AddStatusField([this] {
        if (!dataset_->IsActive()) return QString();
        const int rows = dataset_->ServerRecordCount();
        return rows < 0 ? QString() : QString::number(rows) + QStringLiteral(" poster");
    });
}

void ListWindowBase::UpdateStatus() {
    lastSearch_.clear();  // the rows may have moved
    lastSearchRow_ = 0;
    for (const auto& update : statusUpdates_) update();
}

void ListWindowBase::OpenRecord() {
    if (openRecord_ && dataset_->IsActive() && !dataset_->IsEmpty()) openRecord_();
}

bool ListWindowBase::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return WindowBase<QDialog>::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    const bool plain = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (watched == grid_ && plain) {
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter || key->key() == Qt::Key_Space) {
            OpenRecord();
            return true;
        }
    }
    // Typing in the grid searches (capitals too).
    if (watched == grid_ && (key->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier)) == Qt::NoModifier) {
        const QString text = key->text();
        if (!text.isEmpty() && text.at(0).isPrint() && !text.at(0).isSpace()) {
            searchBox_->setFocus();
            searchBox_->setText(text);
            TypeAhead(text);
            return true;
        }
    }
    if (watched == searchBox_ && plain && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
        OpenRecord();
        return true;
    }
    if (watched == searchBox_ && plain && (key->key() == Qt::Key_Down || key->key() == Qt::Key_Up)) {
        grid_->setFocus();
        return false;
    }
    return WindowBase<QDialog>::eventFilter(watched, event);
}
