// The period picker driven as a user would: list clicks, "<<"/">>", typed
// dates, "O&k", "&Avbryt" and a double click.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <memory>

#include "ScriptedPrompter.h"
#include "app/frame/AppContext.h"
#include "app/frame/Period.h"
#include "ui/PeriodDialog.h"

using testsupport::ScriptedPrompter;

namespace {

const QDate wednesday(2012, 2, 15);

class PeriodDialogTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "period_dialog_test";
        static char* argv[] = {name, nullptr};
        if (!QApplication::instance()) new QApplication(argc, argv);
    }

    PeriodDialogTest() : script_(new ScriptedPrompter), ctx_(std::unique_ptr<Prompter>(script_)) {
        ctx_.period() = Period(wednesday);
    }

    Period& period() { return ctx_.period(); }

    // A mouse press and release on a list entry, as a click by the user.
    static void ClickEntry(QListWidget* list, int row, bool doubleClick = false) {
        const QPoint at = list->visualItemRect(list->item(row)).center();
        auto send = [&](QEvent::Type type) {
            QMouseEvent event(
                type, QPointF(at), list->viewport()->mapToGlobal(QPointF(at)), Qt::LeftButton,
                type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(list->viewport(), &event);
        };
        send(QEvent::MouseButtonPress);
        send(QEvent::MouseButtonRelease);
        if (doubleClick) {
            send(QEvent::MouseButtonDblClick);
            send(QEvent::MouseButtonRelease);
        }
    }

    static std::pair<QString, QString> Fields(const PeriodDialog& d) {
        return {d.fromEdit()->text(), d.toEdit()->text()};
    }

    ScriptedPrompter* script_;
    AppContext ctx_;
};

TEST_F(PeriodDialogTest, ShowsTheCurrentPeriodAndTheList) {
    PeriodDialog dialog(period());
    EXPECT_EQ(dialog.windowTitle(), "Velg tidsområde:");
    EXPECT_EQ(Fields(dialog), std::make_pair(QString("01.01.2012"), QString("31.12.2012")));
    ASSERT_EQ(dialog.list()->count(), Period::EntryCount);
    for (int i = 0; i < Period::EntryCount; ++i)
        EXPECT_EQ(dialog.list()->item(i)->text(), Period::EntryText(i));
    EXPECT_EQ(dialog.list()->currentRow(), Period::ThisYear);
    EXPECT_EQ(dialog.yearButton()->text(), "2012");
    EXPECT_EQ(dialog.backButton()->text(), "<<");
    EXPECT_EQ(dialog.forwardButton()->text(), ">>");
    EXPECT_EQ(dialog.okButton()->text(), "O&k");
    EXPECT_EQ(dialog.cancelButton()->text(), "&Avbryt");
    EXPECT_TRUE(dialog.okButton()->isDefault());
    QStringList labels;
    for (const QLabel* l : dialog.findChildren<QLabel*>()) labels << l->text();
    EXPECT_TRUE(labels.contains("Fra dato:"));
    EXPECT_TRUE(labels.contains("Til dato:"));
}

TEST_F(PeriodDialogTest, ClickingEntriesAndShifting) {
    PeriodDialog dialog(period());
    dialog.show();
    ClickEntry(dialog.list(), Period::ThisWeek);
    EXPECT_EQ(Fields(dialog), std::make_pair(QString("13.02.2012"), QString("19.02.2012")));
    dialog.forwardButton()->click();
    EXPECT_EQ(Fields(dialog), std::make_pair(QString("20.02.2012"), QString("26.02.2012")));

    // "Forrige år" twice goes back two years; the year button follows.
    ClickEntry(dialog.list(), Period::LastYear);
    EXPECT_EQ(dialog.yearButton()->text(), "2011");
    ClickEntry(dialog.list(), Period::LastYear);
    EXPECT_EQ(dialog.yearButton()->text(), "2010");
    EXPECT_EQ(Fields(dialog), std::make_pair(QString("01.01.2010"), QString("31.12.2010")));
    dialog.backButton()->click();
    EXPECT_EQ(Fields(dialog), std::make_pair(QString("01.01.2009"), QString("31.12.2009")));

    // Moving with the keyboard chooses too.
    dialog.list()->setCurrentRow(Period::ThisMonth);
    EXPECT_EQ(Fields(dialog), std::make_pair(QString("01.02.2010"), QString("28.02.2010")));
    dialog.forwardButton()->click();
    EXPECT_EQ(Fields(dialog), std::make_pair(QString("01.03.2010"), QString("31.03.2010")));
    EXPECT_TRUE(script_->events().empty());
}

TEST_F(PeriodDialogTest, OkWritesTheState) {
    PeriodDialog dialog(period());
    dialog.show();
    ClickEntry(dialog.list(), Period::LastWeek);
    dialog.okButton()->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(period().PeriodFilter(), "entrydate>='2012.02.06' AND entrydate<='2012.02.12'");
    EXPECT_EQ(period().PeriodWeek(), 6);
    EXPECT_EQ(period().PeriodCaption(), "Forrige uke (06.02.2012-12.02.2012)");

    // Shown again, it starts from that period and keeps the entry.
    PeriodDialog again(period());
    EXPECT_EQ(Fields(again), std::make_pair(QString("06.02.2012"), QString("12.02.2012")));
    EXPECT_EQ(again.list()->currentRow(), Period::LastWeek);
}

TEST_F(PeriodDialogTest, CancelStillWritesTheTypedDates) {
    PeriodDialog dialog(period());
    dialog.show();
    dialog.fromEdit()->setText("1.3.2012");
    dialog.toEdit()->setText("15.03.12");
    dialog.cancelButton()->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(period().PeriodFrom(), "2012.03.01");
    EXPECT_EQ(period().PeriodTo(), "2012.03.15");
    EXPECT_EQ(period().PeriodWeek(), 0);
}

TEST_F(PeriodDialogTest, OkRefusesAnInvalidDateAndStaysOpen) {
    PeriodDialog dialog(period());
    dialog.show();
    dialog.toEdit()->setText("30.02.2012");
    dialog.okButton()->click();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(
        script_->messages(),
        std::vector<QString>{"FEIL: Ugyldig dato: \"30.02.2012\". Skriv datoen som dd.mm.åååå."});
    EXPECT_EQ(period().PeriodTo(), "2012.12.31");

    // "Valgt dato" refuses it the same way and keeps the previous entry.
    script_->ClearEvents();
    ClickEntry(dialog.list(), Period::ChosenDates);
    EXPECT_EQ(script_->messages().size(), 1u);
    EXPECT_EQ(dialog.list()->currentRow(), Period::ThisYear);
    EXPECT_EQ(dialog.toEdit()->text(), "30.02.2012");

    dialog.toEdit()->setText("29.02.2012");
    dialog.okButton()->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(period().PeriodTo(), "2012.02.29");

    // Cancelling with a bad date says nothing and keeps the period.
    script_->ClearEvents();
    PeriodDialog other(period());
    other.show();
    other.fromEdit()->setText("x");
    other.reject();
    EXPECT_TRUE(script_->events().empty());
    EXPECT_EQ(period().PeriodFrom(), "2012.01.01");
}

TEST_F(PeriodDialogTest, DoubleClickConfirms) {
    PeriodDialog dialog(period());
    dialog.show();
    ClickEntry(dialog.list(), Period::ThirdQuarter, true);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(period().PeriodFrom(), "2012.07.01");
    EXPECT_EQ(period().PeriodTo(), "2012.09.30");
}

TEST_F(PeriodDialogTest, ShowPeriodDialogReturnsHowItWasClosed) {
    for (bool ok : {true, false}) {
        QTimer::singleShot(0, [ok] {
            auto* dialog = qobject_cast<PeriodDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            dialog->list()->setCurrentRow(Period::FirstHalf);
            (ok ? dialog->okButton() : dialog->cancelButton())->click();
        });
        EXPECT_EQ(ShowPeriodDialog(), ok);
        EXPECT_EQ(period().PeriodTo(), "2012.06.30");
    }
}

// Set VARLOKKEN_SCREENSHOT_DIR to look at the dialog as rendered.
TEST_F(PeriodDialogTest, Renders) {
    PeriodDialog dialog(period());
    dialog.show();
    const QPixmap picture = dialog.grab();
    EXPECT_FALSE(picture.isNull());
    const QByteArray dir = qgetenv("VARLOKKEN_SCREENSHOT_DIR");
    if (!dir.isEmpty()) picture.save(QString::fromLocal8Bit(dir) + "/period-dialog.png");
}

}  // namespace
