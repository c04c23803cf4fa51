#pragma once
// What the tests of windows share: keys sent as the keyboard would, and working a modal
// dialog that a command is about to open.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace testsupport {

// Sends a key press and release as the keyboard would.
inline void PressKey(QWidget* widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                     const QString& text = QString()) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(widget, &release);
}

// Works the modal dialog that the next call opens, once it is shown.
inline void WhenModalShown(std::function<void(QWidget* dialog)> work) {
    QTimer::singleShot(0, [work = std::move(work)] {
        QWidget* dialog = QApplication::activeModalWidget();
        EXPECT_NE(dialog, nullptr);
        if (dialog) work(dialog);
    });
}

}  // namespace testsupport
