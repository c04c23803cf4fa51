#pragma once

#include <QDialog>
#include <functional>

#include "ui/CommandSet.h"
#include "ui/WindowBase.h"

class DbLineEdit;
class DetailSlider;
class Table;

// The user record window ("Personaldata"): the current row of the users table in three
// detail levels (basic panel; plus the address panel; plus the notes), the level kept with
// the window's position. The caption is "Brukerdata [<id>]".
class UserDataForm : public WindowBase<QDialog> {
    Q_OBJECT
  public:
    explicit UserDataForm(QWidget* parent = nullptr);
    ~UserDataForm() override;

    QAction* Command(const QString& text) const { return commands_.Find(text); }
    DetailSlider* detailSlider() const { return slider_; }
    // The edit of a column ("realname"), nullptr when the window has none.
    DbLineEdit* Edit(const QString& column) const;

    // What "Brukertilgang" does: the user list opens its access window.
    void SetAccessOpener(std::function<void()> open) { openAccess_ = std::move(open); }

    void UpdateCommands();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    Table& users() const;
    void UpdateCaption();
    void Save();

    CommandSet commands_;
    DetailSlider* slider_;
    std::function<void()> openAccess_;
    int notifier_ = 0;
    int scrollId_ = 0;
};
