// The Qt dialogs behind the Prompter, shown offscreen and answered by
// clicking their buttons.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <memory>

#include "app/frame/AppContext.h"
#include "ui/QtPrompter.h"

namespace {

class QtPrompterTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "qt_prompter_test";
        static char* argv[] = {name, nullptr};
        if (!QApplication::instance()) new QApplication(argc, argv);
    }

    QtPrompterTest() : ctx_(std::make_unique<QtPrompter>()) {}

    // Runs `answer` on the modal dialog of type D once it is shown.
    template <class D>
    static void WhenShown(std::function<void(D*)> answer) {
        QTimer::singleShot(0, [answer] {
            auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr) << "no " << D::staticMetaObject.className() << " shown";
            answer(dialog);
        });
    }

    static void PressEscape(QWidget* w) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(w, &press);
    }

    AppContext ctx_;
};

TEST_F(QtPrompterTest, YesNoDialogLooksAsItShould) {
    YesNoDialog dialog("Slette denne posten?", false);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "?");
    EXPECT_EQ(dialog.questionLabel()->text(), "Slette denne posten?");
    EXPECT_TRUE(dialog.questionLabel()->alignment() & Qt::AlignHCenter);
    EXPECT_EQ(dialog.yesButton()->text(), "&Ja");
    EXPECT_EQ(dialog.noButton()->text(), "&Nei");
    EXPECT_EQ(dialog.focusWidget(), dialog.noButton());
    EXPECT_TRUE(dialog.noButton()->isDefault());
    EXPECT_EQ(dialog.width(), YesNoDialog::DesignedWidth);

    YesNoDialog yesFirst("Arbeidstid er ikke innlagt, legge det inn nå ?", true);
    yesFirst.show();
    EXPECT_EQ(yesFirst.focusWidget(), yesFirst.yesButton());
    EXPECT_TRUE(yesFirst.yesButton()->isDefault());
}

TEST_F(QtPrompterTest, YesNoDialogWidensForALongQuestion) {
    const QString question(QString("Slette eksisterende ordrelinjer? ").repeated(4));
    YesNoDialog dialog(question, true);
    dialog.show();
    const int textWidth = dialog.questionLabel()->fontMetrics().size(0, question).width();
    ASSERT_GT(textWidth + 50, YesNoDialog::DesignedWidth);
    EXPECT_EQ(dialog.width(), textWidth + 50);
}

TEST_F(QtPrompterTest, AskYesNoAnswers) {
    struct Case {
        bool defaultYes;
        const char* how;
        bool expected;
    };
    const Case cases[] = {
        {false, "yes", true},    {true, "no", false},    {true, "close", true},
        {false, "close", false}, {true, "escape", true}, {false, "escape", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.how) + (c.defaultYes ? " (default yes)" : " (default no)"));
        const std::string how = c.how;
        WhenShown<YesNoDialog>([how](YesNoDialog* d) {
            if (how == "yes")
                d->yesButton()->click();
            else if (how == "no")
                d->noButton()->click();
            else if (how == "close")
                d->close();
            else
                PressEscape(d);
        });
        EXPECT_EQ(AskYesNo("Lagre endringer?", c.defaultYes), c.expected);
    }
}

TEST_F(QtPrompterTest, InputDialogLooksAsItShould) {
    InputDialog dialog("Søk etter:", "Oslo", false);
    dialog.show();
    EXPECT_EQ(dialog.promptLabel()->text(), "Søk etter:");
    EXPECT_EQ(dialog.edit()->text(), "Oslo");
    EXPECT_EQ(dialog.edit()->selectedText(), "Oslo");
    EXPECT_EQ(dialog.edit()->echoMode(), QLineEdit::Normal);
    EXPECT_EQ(dialog.okButton()->text(), "O&k");
    EXPECT_EQ(dialog.cancelButton()->text(), "&Avbryt");
    EXPECT_TRUE(dialog.isModal());
    const Qt::WindowFlags flags = dialog.windowFlags();
    EXPECT_FALSE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & Qt::WindowSystemMenuHint);
    EXPECT_FALSE(flags & Qt::WindowMinMaxButtonsHint);
    EXPECT_FALSE(flags & Qt::WindowContextHelpButtonHint);

    InputDialog masked("Passord", "", true);
    EXPECT_EQ(masked.edit()->echoMode(), QLineEdit::Password);
}

TEST_F(QtPrompterTest, AskInputThroughTheDialogs) {
    // Typed and confirmed: returned, and offered at the next prompt.
    WhenShown<InputDialog>([](InputDialog* d) {
        EXPECT_EQ(d->edit()->text(), "");
        d->edit()->setText("Bergen");
        d->okButton()->click();
    });
    EXPECT_EQ(AskInput("Søk etter:", ""), "Bergen");

    WhenShown<InputDialog>([](InputDialog* d) {
        EXPECT_EQ(d->promptLabel()->text(), "Tabellnavn");
        EXPECT_EQ(d->edit()->selectedText(), "Bergen");
        d->cancelButton()->click();
    });
    EXPECT_EQ(AskInput("Tabellnavn", ""), "");

    // The password prompts are masked and start empty.
    for (const char* prompt : {"Passord", "Nytt passord"}) {
        WhenShown<InputDialog>([](InputDialog* d) {
            EXPECT_EQ(d->edit()->echoMode(), QLineEdit::Password);
            EXPECT_EQ(d->edit()->text(), "");
            d->edit()->setText("hemmelig");
            d->okButton()->click();
        });
        EXPECT_EQ(AskInput(prompt, ""), "hemmelig");
    }

    WhenShown<InputDialog>([](InputDialog* d) {
        EXPECT_EQ(d->edit()->text(), "Bergen");
        PressEscape(d->edit());
    });
    EXPECT_EQ(AskInput("Søk etter:", ""), "");
}

TEST_F(QtPrompterTest, DialogsAreCentredOnTheLastShownWindow) {
    ctx_.config().PushGeometry(Geometry{100, 800, 600, 40});
    WhenShown<YesNoDialog>([](YesNoDialog* d) {
        EXPECT_NEAR(d->x() + d->width() / 2, 500, 1);
        EXPECT_NEAR(d->y() + d->height() / 2, 340, 1);
        d->yesButton()->click();
    });
    EXPECT_TRUE(AskYesNo("Fortsette?", false));
    WhenShown<InputDialog>([](InputDialog* d) {
        EXPECT_NEAR(d->x() + d->width() / 2, 500, 1);
        EXPECT_NEAR(d->y() + d->height() / 2, 340, 1);
        d->okButton()->click();
    });
    AskInput("Kontonummer", "1920");
}

}  // namespace
