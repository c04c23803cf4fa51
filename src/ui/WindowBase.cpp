#include "ui/WindowBase.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>

#include "app/frame/AppContext.h"

namespace {
DesktopSize DesktopOf(const QWidget* window) {
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) return DesktopSize{};
    const QSize size = screen->virtualSize();
    return DesktopSize{size.width(), size.height()};
}

WindowPlacement PlacementOf(const QWidget* window) {
    const bool maximized = window->isMaximized();
    // A maximised window keeps the place it returns to.
    const QRect normal =
        maximized ? window->normalGeometry() : QRect(window->pos(), window->size());
    return WindowPlacement{normal.x(), normal.y(), normal.width(), normal.height(), maximized};
}
}  // namespace

WindowPositionKeeper::WindowPositionKeeper(QWidget* window, const QString& windowName)
    : QObject(window), window_(window), name_(windowName) {
    window->installEventFilter(this);
}

void WindowPositionKeeper::Restore() {
    if (!AppContext::HasCurrent()) return;
    QString option = onlyPos_ ? QStringLiteral("OnlyPos") : QString();
    const WindowPlacement placed =
        Ctx().config().RestoreWindowPos(PlacementOf(window_), DesktopOf(window_), name_, option);
    diverse_ = option;
    window_->move(placed.left, placed.top);
    if (!onlyPos_) window_->resize(placed.width, placed.height);
    if (placed.maximized) window_->setWindowState(window_->windowState() | Qt::WindowMaximized);
    shown_ = true;
}

void WindowPositionKeeper::Save() {
    if (!AppContext::HasCurrent() || !shown_) return;
    shown_ = false;
    Ctx().config().SaveWindowPos(PlacementOf(window_), name_, diverse_);
}

bool WindowPositionKeeper::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_ && !event->spontaneous()) {
        if (event->type() == QEvent::Show)
            Restore();
        else if (event->type() == QEvent::Hide)
            Save();
    }
    return QObject::eventFilter(watched, event);
}
