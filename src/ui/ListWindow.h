#pragma once

#include <QBrush>
#include <QDialog>
#include <QKeySequence>
#include <QString>
#include <functional>
#include <vector>

#include "ui/CommandSet.h"
#include "ui/DatasetTableModel.h"
#include "ui/WindowBase.h"

class Dataset;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QMenu;
class QStatusBar;
class QTableView;

// The base of every register's list window: a grid over a dataset with column titles and
// formats, a click on a title sorting, row colours by the register's rule, a type-ahead
// search box, status-bar fields, and the commands as actions shared by the tool buttons,
// the context menu and the shortcuts. Enter, Return, Space and a double-click open the
// register's record window; typing in the grid goes to the search box.
class ListWindowBase : public WindowBase<QDialog> {
    Q_OBJECT
  public:
    ListWindowBase(const QString& windowName, Dataset& dataset, std::vector<DatasetColumn> columns,
                   QWidget* parent = nullptr);
    ~ListWindowBase() override;

    Dataset& dataset() const { return *dataset_; }
    QTableView* grid() const { return grid_; }
    DatasetTableModel* model() const { return model_; }
    QLineEdit* searchBox() const { return searchBox_; }
    QStatusBar* statusBar() const { return statusBar_; }
    CommandSet& commands() { return commands_; }
    // A command by its menu or button text ("&" left out); nullptr when none.
    QAction* Command(const QString& text) const { return commands_.Find(text); }

    // A command in the context menu and, when `button`, on the tool bar.
    QAction* AddCommand(const QString& menuText, const QString& buttonText, const QKeySequence& key,
                        std::function<void()> run, bool button = true);
    // A command whose window comes with a later version: it stays in the menu and says so.
    QAction* AddLaterVersionCommand(const QString& menuText, QMenu* menu = nullptr);
    void AddMenuSeparator();
    // A submenu of the context menu ("Vis tilhørende").
    QMenu* AddSubMenu(const QString& title);

    // The colour of a row by the register's rule (an empty brush keeps the grid's own).
    void SetRowColourRule(std::function<QBrush(int row)> rule) { rowColour_ = std::move(rule); }
    QBrush RowColour(int row) const { return rowColour_ ? rowColour_(row) : QBrush(); }

    // The column the search box searches ("name"); the first column by default.
    void SetSearchColumn(const QString& field) { searchColumn_ = field; }
    QString SearchColumn() const;
    // Moves to the first row whose search column starts with the text (case ignored);
    // false when no row does. Rows not yet read are asked of the server finder when one is
    // set; a Table ordered by the search column asks the server where the row stands
    // (ui/ServerFinder.h); else the rows are read page by page.
    bool TypeAhead(const QString& text);
    // For a paged table: gives the 0-based row of the first match on the server (reading
    // the rows up to it), -1 when none.
    void SetServerFinder(std::function<int(const QString& field, const QString& text)> finder) {
        serverFinder_ = std::move(finder);
    }

    // A status-bar field whose text is computed when the list changes.
    QLabel* AddStatusField(std::function<QString()> text);
    // The field "<n> poster" by the server's row count.
    QLabel* AddRowCountField();
    void UpdateStatus();

    // What Enter, Space and a double-click do: open the record window on the current row.
    void SetRecordOpener(std::function<void()> open) { openRecord_ = std::move(open); }
    void OpenRecord();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    int FindPrefix(const QString& column, const QString& text, int from);

    Dataset* dataset_;
    CommandSet commands_;
    QTableView* grid_;
    DatasetTableModel* model_;
    QLineEdit* searchBox_;
    QHBoxLayout* buttons_;
    QStatusBar* statusBar_;
    std::vector<std::function<void()>> statusUpdates_;
    std::vector<int> eventIds_;
    std::function<QBrush(int)> rowColour_;
    std::function<int(const QString&, const QString&)> serverFinder_;
    std::function<void()> openRecord_;
    QString searchColumn_;
    QString lastSearch_;  // the text of the last match, and its row: a longer text starts there
    int lastSearchRow_ = 0;
};
