// The window base: every window restores its position when shown and stores
// it when closed, through the store's per-user ini and geometry stack.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QMainWindow>
#include <QScreen>
#include <memory>

#include "../frame/TempHome.h"
#include "ScriptedPrompter.h"
#include "app/frame/AppContext.h"
#include "ui/WindowBase.h"

namespace {

class WindowBaseTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "window_base_test";
        static char* argv[] = {name, nullptr};
        if (!QApplication::instance()) app_ = new QApplication(argc, argv);
    }

    WindowBaseTest() : ctx_(std::make_unique<testsupport::ScriptedPrompter>()) {
        ctx_.config().SetCommandLineUser("kari");
        ctx_.config().OpenCompanyIni(ctx_.config().FindCompanyIni(home_.WorkDir()));
    }
    QString UserIni() const { return home_.Base() + "etc/kari.INI"; }
    IniFile Stored() {
        IniFile ini;
        ini.Load(UserIni());
        return ini;
    }

    static QApplication* app_;
    TempHome home_;
    AppContext ctx_;
};
QApplication* WindowBaseTest::app_ = nullptr;

TEST_F(WindowBaseTest, FirstShowAtTheCornerThenWhereItWasClosed) {
    {
        WindowBase<QMainWindow> window("MainForm6");
        window.resize(400, 300);
        window.show();
        EXPECT_EQ(window.pos(), QPoint(0, 0));
        EXPECT_EQ(window.size(), QSize(400, 300));
        const Geometry last = ctx_.config().LastGeometry();
        EXPECT_EQ(last.width, 400);
        EXPECT_EQ(last.height, 300);

        window.move(120, 80);
        window.resize(500, 350);
        window.SetDiverse("detalj=2");
        window.close();
        EXPECT_EQ(ctx_.config().LastGeometry().width, 0);  // popped
    }
    IniFile ini = Stored();
    EXPECT_EQ(ini.Value("VINDU-MainForm6", "Left"), "120");
    EXPECT_EQ(ini.Value("VINDU-MainForm6", "Top"), "80");
    EXPECT_EQ(ini.Value("VINDU-MainForm6", "Width"), "500");
    EXPECT_EQ(ini.Value("VINDU-MainForm6", "Height"), "350");
    EXPECT_EQ(ini.Value("VINDU-MainForm6", "Maximized"), "0");
    EXPECT_EQ(ini.Value("VINDU-MainForm6", "Diverse"), "detalj=2");

    WindowBase<QMainWindow> again("MainForm6");
    again.resize(400, 300);
    again.show();
    EXPECT_EQ(again.pos(), QPoint(120, 80));
    EXPECT_EQ(again.size(), QSize(500, 350));
    EXPECT_EQ(again.Diverse(), "detalj=2");
    again.close();
}

TEST_F(WindowBaseTest, FixedSizeWindowRestoresOnlyItsPosition) {
    TempHome::Write(UserIni(), "[VINDU-UserAccessForm]\nLeft=30\nTop=40\nWidth=900\nHeight=900\n");
    WindowBase<QDialog> dialog("UserAccessForm");
    dialog.SetOnlyPos(true);
    dialog.resize(260, 120);
    dialog.show();
    EXPECT_EQ(dialog.pos(), QPoint(30, 40));
    EXPECT_EQ(dialog.size(), QSize(260, 120));
    dialog.close();
}

TEST_F(WindowBaseTest, PositionBeyondTheDesktopComesBackOntoIt) {
    const QSize desktop = QGuiApplication::primaryScreen()->virtualSize();
    TempHome::Write(UserIni(), QString("[VINDU-Far]\nLeft=%1\nTop=%2\n")
                                   .arg(desktop.width() + 5000)
                                   .arg(desktop.height() + 10)
                                   .toUtf8());
    WindowBase<QWidget> window("Far");
    window.resize(200, 100);
    window.show();
    EXPECT_EQ(window.pos(), QPoint(desktop.width() - 200, desktop.height() - 100));
    window.close();
}

TEST_F(WindowBaseTest, MaximisedWindowIsStoredWithItsNormalPlaceAndShownMaximised) {
    TempHome::Write(UserIni(),
                    "[VINDU-Big]\nMaximized=1\nLeft=10\nTop=20\nWidth=300\nHeight=200\n");
    {
        WindowBase<QMainWindow> window("Big");
        window.show();
        EXPECT_TRUE(window.isMaximized());
        window.close();
    }
    IniFile ini = Stored();
    EXPECT_EQ(ini.Value("VINDU-Big", "Maximized"), "1");
}

TEST_F(WindowBaseTest, NestedWindowsKeepTheGeometryStackInStep) {
    WindowBase<QMainWindow> main("MainForm6");
    main.resize(640, 480);
    main.show();
    WindowBase<QDialog> dialog("Dialog");
    dialog.resize(200, 100);
    dialog.show();
    EXPECT_EQ(ctx_.config().LastGeometry().width, 200);
    dialog.hide();
    EXPECT_EQ(ctx_.config().LastGeometry().width, 640);  // dialogs now centre on the main window
    main.close();
}

TEST_F(WindowBaseTest, WindowDestroyedWhileShownStoresItsPosition) {
    {
        auto window = std::make_unique<WindowBase<QWidget>>("Gone");
        window->resize(220, 110);
        window->show();
        window->move(15, 25);
    }
    EXPECT_EQ(Stored().Value("VINDU-Gone", "Left"), "15");
    EXPECT_EQ(ctx_.config().LastGeometry().width, 0);
}

}  // namespace
