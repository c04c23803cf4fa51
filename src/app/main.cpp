// The program: the start of the frame before any window, the windows, and
// the end of the frame after the last one.
//
// Until the log-on exists the only window is a stand-in main window. Without
// a display (or with "--quit-after-start") the program runs the start and the
// end and quits, which is what scripts and tests use.
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMainWindow>
#include <memory>

#include "app/frame/AppContext.h"
#include "app/frame/StartUp.h"
#include "ui/QtPrompter.h"
#include "ui/WindowBase.h"

namespace {
bool HasDisplay() {
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

bool Headless() {
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("offscreen") || platform == QLatin1String("minimal");
}

// The main window until the log-on and the module panels exist.
class StandInMainWindow : public WindowBase<QMainWindow> {
  public:
    explicit StandInMainWindow(AppContext& ctx)
        : WindowBase<QMainWindow>(QStringLiteral("MainForm6")) {
        setWindowTitle(QStringLiteral("Varlokken SQL 6.12-732"));
        auto* label =
            new QLabel(QStringLiteral("Varlokken SQL 6.12-732\n\n") +
                           ctx.config().CompanyIniPath() + QLatin1Char('\n') + ctx.log().FilePath(),
                       this);
        label->setAlignment(Qt::AlignCenter);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        setCentralWidget(label);
        resize(640, 400);
    }
};
}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !HasDisplay()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    AppContext ctx(std::make_unique<QtPrompter>());
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();

    RunStart(ctx, arguments, QDir::currentPath());
    int result = 0;
    if (!ctx.commandLine().quitAfterStart && !Headless()) {
        StandInMainWindow window(ctx);
        window.show();
        result = app.exec();
        window.close();
    }
    RunEnd(ctx);
    return result;
}
