#pragma once

#include <QDialog>
#include <functional>

#include "data/Rights.h"
#include "ui/CommandSet.h"
#include "ui/WindowBase.h"

class DbLineEdit;
class DbMemo;
class DetailSlider;
class QTableWidget;
class Table;

// The user access window ("Brukertilgang"): the rights grid of the current user row (one row
// per rights key, six boxes R W D I A F), the account panel and the two memos, in three
// detail levels kept with the window's position. The caption is "<realname> [<id>]".
//
// The boxes show the letters stored in the row's rights string, whatever the rights of the
// one looking (so saving never grants what was not there); each move to another row reads
// them again.
class UserAccessForm : public WindowBase<QDialog> {
    Q_OBJECT
  public:
    explicit UserAccessForm(QWidget* parent = nullptr);
    ~UserAccessForm() override;

    QAction* Command(const QString& text) const { return commands_.Find(text); }
    QTableWidget* rightsGrid() const { return grid_; }
    DetailSlider* detailSlider() const { return slider_; }
    DbLineEdit* Edit(const QString& column) const;
    DbMemo* Memo(const QString& column) const;

    // The box of a rights key (row of RightsKeys()) and letter (0..5 for R W D I A F).
    bool RightChecked(int keyRow, int letter) const;
    // As a click on the box: the user row goes into edit mode.
    void SetRightChecked(int keyRow, int letter, bool checked);
    // The state of every box by rights key.
    QHash<QString, RightsChecks> Checks() const;
    // Sets the boxes from the current row's rights string.
    void ReadBoxes();

    // What "Hovedmeny" does: the main window sets it to bring itself forward.
    static void SetMainMenuHandler(std::function<void()> handler);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    Table& users() const;
    bool WriteRights();  // the boxes into the rights string (edit mode); false when refused
    void Save();
    void SetRightsTable();
    void CreateAccount();
    void UpdateCaption();
    void UpdateCommands();

    CommandSet commands_;
    QTableWidget* grid_;
    DetailSlider* slider_;
    bool filling_ = false;
    int scrollId_ = 0;
    int notifier_ = 0;
};
