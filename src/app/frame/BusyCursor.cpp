#include "app/frame/BusyCursor.h"

#include <QCursor>
#include <QGuiApplication>

BusyCursor::BusyCursor() {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        shown_ = true;
    }
}

BusyCursor::~BusyCursor() {
    if (shown_) QGuiApplication::restoreOverrideCursor();
}
