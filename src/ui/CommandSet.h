#pragma once

#include <QAction>
#include <QKeySequence>
#include <QString>
#include <functional>
#include <vector>

class QToolButton;
class QWidget;

// The commands of a window as actions, so that a button, the context menu and the shortcut
// share one command and its enabled state. A command has the text of its menu entry and,
// where it differs, the text of its button ("Ny" / "Ny ansatt").
class CommandSet {
  public:
    explicit CommandSet(QWidget* owner) : owner_(owner) {}

    QAction* Add(const QString& menuText, const QString& buttonText, const QKeySequence& key,
                 std::function<void()> run);
    QAction* Add(const QString& text, std::function<void()> run) { return Add(text, text, QKeySequence(), std::move(run)); }
    // The command by its menu or button text ("&" left out); nullptr when none.
    QAction* Find(const QString& text) const;
    // A button showing the command's button text.
    QToolButton* Button(QAction* action, QWidget* parent) const;
    const std::vector<QAction*>& actions() const { return actions_; }

  private:
    QWidget* owner_;
    std::vector<QAction*> actions_;
};
