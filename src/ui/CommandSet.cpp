#include "ui/CommandSet.h"

#include <QToolButton>
#include <QWidget>

namespace {

QString Plain(QString text) { return text.remove(u'&').trimmed(); }

}  // namespace

QAction* CommandSet::Add(const QString& menuText, const QString& buttonText, const QKeySequence& key,
                         std::function<void()> run) {
    auto* action = new QAction(menuText, owner_);
    action->setIconText(buttonText);
    if (!key.isEmpty()) {
        action->setShortcut(key);
        action->setShortcutContext(Qt::WindowShortcut);
        owner_->addAction(action);  // the shortcut works anywhere in the window
    }
    QObject::connect(action, &QAction::triggered, owner_, [run = std::move(run)] { run(); });
    actions_.push_back(action);
    return action;
}

QAction* CommandSet::Find(const QString& text) const {
    const QString wanted = Plain(text);
    for (QAction* a : actions_)
        if (Plain(a->text()) == wanted || Plain(a->iconText()) == wanted) return a;
    return nullptr;
}

QToolButton* CommandSet::Button(QAction* action, QWidget* parent) const {
    auto* button = new QToolButton(parent);
    button->setDefaultAction(action);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return button;
}
