// The program: the frame's start before any window, then the application, the main window
// (created hidden), the data module and the log-on, the main window shown, the event loop,
// and the frame's end after the last window.
//
// With "--quit-after-start", or without a display, the program runs the start and the end
// only, which is what scripts and tests use.
#include <QApplication>
#include <QDir>
#include <memory>

#include "app/frame/AppContext.h"
#include "app/frame/StartUp.h"
#include "app/ui/LogonDialog.h"
#include "app/ui/MainWindow.h"
#include "app/ui/ProgramWindows.h"
#include "crm/CrmModule.h"
#include "data/DataModule.h"
#include "products/ProductRules.h"
#include "ui/QtPrompter.h"

namespace {
bool HasDisplay() {
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

bool Headless() {
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("offscreen") || platform == QLatin1String("minimal");
}
}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !HasDisplay()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // The Qt application object must exist before the start, which may already show a
    // message through the Qt prompter.
    QApplication app(argc, argv);
    AppContext ctx(std::make_unique<QtPrompter>());
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();

    RunStart(ctx, arguments, QDir::currentPath());
    int result = 0;
    if (!ctx.commandLine().quitAfterStart && !Headless()) {
        QApplication::setApplicationDisplayName(QStringLiteral("Varlokken 6"));
        MainWindow window;  // created hidden; takes files dropped from the desktop
        window.SetReconnectHandler([](QWidget* parent) { return ShowLogonDialog(parent); });
        DataModule dm;
        ProductRules productRules(dm);  // the product table's save and calculation rules
        CrmModule crm(dm);               // companies, contacts and the postal register
        ProgramWindows windows(&window);  // the registers' windows, made once
        // "&Avbryt" in the log-on dialog ends the program; a failed log-on goes on without data.
        if (RunStartLogon(nullptr) != LogonOutcome::Cancelled) {
            window.show();
            window.RunShowSequence();
            result = app.exec();
            window.close();
        }
    }
    RunEnd(ctx);
    return result;
}
