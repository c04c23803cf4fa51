#pragma once

#include <QDialog>
#include <QPointer>
#include <functional>

#include "ui/CommandSet.h"
#include "data/ui/UserAccessForm.h"
#include "data/ui/UserDataForm.h"
#include "ui/WindowBase.h"

class DatasetTableModel;
class QTableView;
class Table;

// The user list ("Personal"): a grid of the users table with its commands on buttons, the
// context menu and shortcuts. On show it opens the users table by the user's rights; on
// close it sets the users filter back to the active users and closes the user record window
// and the user access window, which it owns.
class UserListForm : public WindowBase<QDialog> {
    Q_OBJECT
  public:
    explicit UserListForm(QWidget* parent = nullptr);
    ~UserListForm() override;

    // A command by its menu or button text ("Slett", "Ny ansatt", "Filtrer etter ...").
    QAction* Command(const QString& text) const { return commands_.Find(text); }
    QTableView* grid() const { return grid_; }
    DatasetTableModel* model() const { return model_; }
    // The record and access windows while they exist.
    UserDataForm* dataForm() const { return dataForm_; }
    UserAccessForm* accessForm() const { return accessForm_; }

    // Opens (creating when needed) the record window and the access window on the current row.
    UserDataForm* OpenDataForm();
    UserAccessForm* OpenAccessForm();

    // Called after "Bytt til denne brukeren" changed the log-on values: the main window sets
    // it to rewrite its status bar.
    static void SetUserSwitchedHandler(std::function<void()> handler);

    // Enables the commands by the current rights.
    void UpdateCommands();

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    Table& users() const;
    void SetFilter(const QString& filter, bool filtered);
    void Search();
    void DeleteRow();
    void NewRow();
    void SwitchUser();

    CommandSet commands_;
    QTableView* grid_;
    DatasetTableModel* model_;
    QPointer<UserDataForm> dataForm_;
    QPointer<UserAccessForm> accessForm_;
};

// Shows the user list, modal.
void ShowUserList(QWidget* parent);
