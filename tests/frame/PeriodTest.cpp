// The program-wide period: the list entries, "<<"/">>", closing and the
// start state, all with a fixed "today".
#include <gtest/gtest.h>

#include <memory>

#include "ScriptedPrompter.h"
#include "app/frame/AppContext.h"
#include "app/frame/Period.h"

using testsupport::ScriptedPrompter;

namespace {

class PeriodTest : public ::testing::Test {
  protected:
    PeriodTest() : script_(new ScriptedPrompter), ctx_(std::unique_ptr<Prompter>(script_)) {}

    ScriptedPrompter* script_;
    AppContext ctx_;
};

const QDate wednesday(2012, 2, 15);  // leap year, ISO week 7

std::pair<QString, QString> Fields(const Period& p) { return {p.FromField(), p.ToField()}; }

TEST_F(PeriodTest, StartStateIsTheWholeCurrentYear) {
    const Period p(wednesday);
    EXPECT_EQ(p.PeriodYear(), "2012");
    EXPECT_EQ(p.PeriodFrom(), "2012.01.01");
    EXPECT_EQ(p.PeriodTo(), "2012.12.31");
    EXPECT_EQ(p.PeriodFilter(), "entrydate<='2012.12.31' AND entrydate>='2012.01.01'");
    EXPECT_EQ(p.PeriodWeek(), 0);
    EXPECT_EQ(p.SelectedEntry(), Period::ThisYear);
    EXPECT_EQ(Fields(p), std::make_pair(QString("01.01.2012"), QString("31.12.2012")));
    EXPECT_EQ(p.PeriodCaption(), "Dette år (01.01.2012-31.12.2012)");

    const Period now;  // the context's own period starts with the system date
    EXPECT_EQ(now.PeriodYear(), QString::number(QDate::currentDate().year()));
}

TEST_F(PeriodTest, EntryTexts) {
    const char* expected[] = {
        "Valgt dato",         "I dag",       "Denne uken", "Forrige uke",   "Denne måned",
        "Forrige måned",      "Dette år",    "Forrige år", "Siste to år",   "1. kvartal",
        "2. kvartal",         "3. kvartal",  "4. kvartal", "Første halvår", "Andre halvår",
        "Januar - Februar",   "Mars -April", "Mai - Juni", "Jui - August",  "September - Oktober",
        "November - Desember"};
    for (int i = 0; i < Period::EntryCount; ++i)
        EXPECT_EQ(Period::EntryText(i), QString::fromUtf8(expected[i]));
    EXPECT_TRUE(Period::EntryText(Period::EntryCount).isEmpty());
    EXPECT_TRUE(Period::EntryText(-1).isEmpty());
}

struct EntryCase {
    QDate today;
    int entry;
    const char* from;
    const char* to;
};

TEST_F(PeriodTest, EachEntryComputesItsDates) {
    const QDate sunday(2012, 2, 19), monday(2012, 2, 13), january(2012, 1, 15), nonLeap(2013, 2, 6);
    const EntryCase cases[] = {
        {wednesday, Period::Today, "15.02.2012", "15.02.2012"},
        {wednesday, Period::ThisWeek, "13.02.2012", "19.02.2012"},
        {sunday, Period::ThisWeek, "13.02.2012", "19.02.2012"},
        {monday, Period::ThisWeek, "13.02.2012", "19.02.2012"},
        {QDate(2012, 1, 1), Period::ThisWeek, "26.12.2011", "01.01.2012"},
        {wednesday, Period::LastWeek, "06.02.2012", "12.02.2012"},
        {sunday, Period::LastWeek, "06.02.2012", "12.02.2012"},
        {monday, Period::LastWeek, "06.02.2012", "12.02.2012"},
        {wednesday, Period::ThisMonth, "01.02.2012", "29.02.2012"},
        {nonLeap, Period::ThisMonth, "01.02.2013", "28.02.2013"},
        {wednesday, Period::LastMonth, "01.01.2012", "31.01.2012"},
        {january, Period::LastMonth, "01.12.2011", "31.12.2011"},
        {QDate(2012, 3, 31), Period::LastMonth, "01.02.2012", "29.02.2012"},
        {wednesday, Period::ThisYear, "01.01.2012", "31.12.2012"},
        {wednesday, Period::LastYear, "01.01.2011", "31.12.2011"},
        {wednesday, Period::LastTwoYears, "01.01.2011", "31.12.2012"},
        {wednesday, Period::FirstQuarter, "01.01.2012", "31.03.2012"},
        {wednesday, Period::SecondQuarter, "01.04.2012", "30.06.2012"},
        {wednesday, Period::ThirdQuarter, "01.07.2012", "30.09.2012"},
        {wednesday, Period::FourthQuarter, "01.10.2012", "31.12.2012"},
        {wednesday, Period::FirstHalf, "01.01.2012", "30.06.2012"},
        {wednesday, Period::SecondHalf, "01.07.2012", "31.12.2012"},
        {wednesday, Period::JanuaryFebruary, "01.01.2012", "29.02.2012"},
        {nonLeap, Period::JanuaryFebruary, "01.01.2013", "28.02.2013"},
        {wednesday, Period::MarchApril, "01.03.2012", "30.04.2012"},
        {wednesday, Period::MayJune, "01.05.2012", "30.06.2012"},
        {wednesday, Period::JulyAugust, "01.07.2012", "31.08.2012"},
        {wednesday, Period::SeptemberOctober, "01.09.2012", "31.10.2012"},
        {wednesday, Period::NovemberDecember, "01.11.2012", "31.12.2012"},
    };
    for (const EntryCase& c : cases) {
        SCOPED_TRACE(Period::EntryText(c.entry).toStdString() + " on " +
                     c.today.toString().toStdString());
        Period p(c.today);
        ASSERT_TRUE(p.ChooseEntry(c.entry));
        EXPECT_EQ(p.SelectedEntry(), c.entry);
        EXPECT_EQ(Fields(p), std::make_pair(QString(c.from), QString(c.to)));
        EXPECT_EQ(p.PeriodCaption(), Period::EntryText(c.entry) + " (" + c.from + "-" + c.to + ")");
    }
    EXPECT_TRUE(script_->events().empty());
}

TEST_F(PeriodTest, YearEntriesMoveTheYearTheOthersUseIt) {
    Period p(wednesday);
    ASSERT_TRUE(p.ChooseEntry(Period::LastYear));
    EXPECT_EQ(p.PeriodYear(), "2011");
    ASSERT_TRUE(p.ChooseEntry(Period::LastYear));
    EXPECT_EQ(p.PeriodYear(), "2010");
    EXPECT_EQ(Fields(p), std::make_pair(QString("01.01.2010"), QString("31.12.2010")));

    // Quarters, halves, two-month entries, "Siste to år" and "Denne måned" use the chosen year.
    ASSERT_TRUE(p.ChooseEntry(Period::FourthQuarter));
    EXPECT_EQ(Fields(p), std::make_pair(QString("01.10.2010"), QString("31.12.2010")));
    ASSERT_TRUE(p.ChooseEntry(Period::ThisMonth));
    EXPECT_EQ(Fields(p), std::make_pair(QString("01.02.2010"), QString("28.02.2010")));
    ASSERT_TRUE(p.ChooseEntry(Period::LastTwoYears));
    EXPECT_EQ(Fields(p), std::make_pair(QString("01.01.2009"), QString("31.12.2010")));
    // "I dag" and the weeks stay with today.
    ASSERT_TRUE(p.ChooseEntry(Period::Today));
    EXPECT_EQ(p.FromField(), "15.02.2012");

    ASSERT_TRUE(p.ChooseEntry(Period::ThisYear));
    EXPECT_EQ(p.PeriodYear(), "2012");
}

TEST_F(PeriodTest, TwoMonthEntriesAndQuartersCoverEveryDayOnce) {
    for (int year : {2012, 2013, 2100}) {
        Period p(QDate(year, 6, 1));
        auto covering = [&](int first, int last, const QDate& day) {
            int count = 0;
            for (int e = first; e <= last; ++e) {
                p.ChooseEntry(e);
                const QDate f = QDate::fromString(p.FromField(), "dd.MM.yyyy");
                const QDate t = QDate::fromString(p.ToField(), "dd.MM.yyyy");
                if (f <= day && day <= t) ++count;
            }
            return count;
        };
        for (QDate d(year, 1, 1); d.year() == year; d = d.addDays(1)) {
            ASSERT_EQ(covering(Period::JanuaryFebruary, Period::NovemberDecember, d), 1)
                << d.toString().toStdString();
            ASSERT_EQ(covering(Period::FirstQuarter, Period::FourthQuarter, d), 1)
                << d.toString().toStdString();
            ASSERT_EQ(covering(Period::FirstHalf, Period::SecondHalf, d), 1)
                << d.toString().toStdString();
        }
    }
}

struct ShiftCase {
    int entry;
    const char* from;
    const char* to;
    bool forward;
    const char* newFrom;
    const char* newTo;
};

TEST_F(PeriodTest, ShiftMovesByTheEntrysUnit) {
    const ShiftCase cases[] = {
        {Period::Today, "15.02.2012", "15.02.2012", true, "16.02.2012", "16.02.2012"},
        {Period::Today, "01.03.2012", "01.03.2012", false, "29.02.2012", "29.02.2012"},
        {Period::ThisWeek, "26.12.2011", "01.01.2012", true, "02.01.2012", "08.01.2012"},
        {Period::LastWeek, "06.02.2012", "12.02.2012", false, "30.01.2012", "05.02.2012"},
        {Period::ThisMonth, "01.01.2012", "31.01.2012", true, "01.02.2012", "29.02.2012"},
        {Period::ThisMonth, "01.01.2013", "31.01.2013", true, "01.02.2013", "28.02.2013"},
        {Period::ThisMonth, "01.03.2012", "31.03.2012", false, "01.02.2012", "29.02.2012"},
        {Period::LastMonth, "01.12.2012", "31.12.2012", true, "01.01.2013", "31.01.2013"},
        {Period::LastMonth, "01.01.2012", "31.01.2012", false, "01.12.2011", "31.12.2011"},
        {Period::ThisYear, "01.01.2012", "31.12.2012", true, "01.01.2013", "31.12.2013"},
        {Period::LastYear, "01.01.2011", "31.12.2011", false, "01.01.2010", "31.12.2010"},
        {Period::LastTwoYears, "01.01.2011", "31.12.2012", true, "01.01.2012", "31.12.2012"},
        // the others stay put
        {Period::ChosenDates, "03.04.2012", "05.04.2012", true, "03.04.2012", "05.04.2012"},
        {Period::FirstQuarter, "01.01.2012", "31.03.2012", false, "01.01.2012", "31.03.2012"},
        {Period::NovemberDecember, "01.11.2012", "31.12.2012", true, "01.11.2012", "31.12.2012"},
    };
    for (const ShiftCase& c : cases) {
        SCOPED_TRACE(Period::EntryText(c.entry).toStdString() + (c.forward ? " >> " : " << ") +
                     c.from);
        Period p(wednesday);
        ASSERT_TRUE(p.ChooseEntry(c.entry == Period::ChosenDates ? Period::Today : c.entry));
        if (c.entry == Period::ChosenDates) {
            p.SetFields(c.from, c.to);
            ASSERT_TRUE(p.ChooseEntry(Period::ChosenDates));
        }
        p.SetFields(c.from, c.to);
        ASSERT_TRUE(c.forward ? p.ShiftForward() : p.ShiftBack());
        EXPECT_EQ(Fields(p), std::make_pair(QString(c.newFrom), QString(c.newTo)));
    }
}

TEST_F(PeriodTest, ChosenDatesAcceptsTheTypedForms) {
    Period p(wednesday);
    p.SetFields("1.2.2012", " 29.02.12 ");
    ASSERT_TRUE(p.ChooseEntry(Period::ChosenDates));
    EXPECT_EQ(Fields(p), std::make_pair(QString("01.02.2012"), QString("29.02.2012")));

    // "Til dato:" earlier than "Fra dato:" gives a one-day period.
    p.SetFields("10.05.2012", "09.05.2012");
    ASSERT_TRUE(p.ChooseEntry(Period::ChosenDates));
    EXPECT_EQ(Fields(p), std::make_pair(QString("10.05.2012"), QString("10.05.2012")));
    ASSERT_TRUE(p.WriteState());
    EXPECT_EQ(p.PeriodFilter(), "entrydate>='2012.05.10' AND entrydate<='2012.05.10'");
    EXPECT_EQ(p.PeriodCaption(), "Valgt dato (10.05.2012-10.05.2012)");
    EXPECT_TRUE(script_->events().empty());
}

TEST_F(PeriodTest, InvalidTypedDatesAreRefusedWithAMessage) {
    const char* refused[] = {"31.02.2012", "29.02.2013", "1.13.2012",  "0.1.2012",   "abc",
                             "",           "1.2.201",    "2012.02.01", "1.2.2012 x", "15-02-2012"};
    for (const char* text : refused) {
        SCOPED_TRACE(text);
        script_->ClearEvents();
        Period p(wednesday);
        p.SetFields("01.02.2012", text);
        EXPECT_FALSE(p.ChooseEntry(Period::ChosenDates));
        EXPECT_EQ(p.SelectedEntry(), Period::ThisYear);
        EXPECT_FALSE(p.WriteState());
        p.ChooseEntry(Period::ThisMonth);
        p.SetFields(text, "29.02.2012");
        EXPECT_FALSE(p.ShiftForward());
        EXPECT_EQ(p.FromField(), QString(text));
        // The state is kept as it was.
        EXPECT_EQ(p.PeriodFrom(), "2012.01.01");
        EXPECT_EQ(p.PeriodTo(), "2012.12.31");
        EXPECT_EQ(p.PeriodFilter(), "entrydate<='2012.12.31' AND entrydate>='2012.01.01'");
        const QString message =
            QStringLiteral("FEIL: Ugyldig dato: \"%1\". Skriv datoen som dd.mm.åååå.").arg(text);
        EXPECT_EQ(script_->messages(), std::vector<QString>(3, message));
    }
    // Without reporting, nothing is shown.
    script_->ClearEvents();
    Period p(wednesday);
    p.SetFields("x", "y");
    EXPECT_FALSE(p.WriteState(false));
    EXPECT_TRUE(script_->events().empty());
}

TEST_F(PeriodTest, WritingTheStateFromTheFields) {
    struct Case {
        QDate today;
        int entry;
        const char* filter;
        int week;
    };
    const Case cases[] = {
        {wednesday, Period::ThisWeek, "entrydate>='2012.02.13' AND entrydate<='2012.02.19'", 7},
        {wednesday, Period::LastWeek, "entrydate>='2012.02.06' AND entrydate<='2012.02.12'", 6},
        {QDate(2012, 1, 1), Period::ThisWeek, "entrydate>='2011.12.26' AND entrydate<='2012.01.01'",
         52},
        {QDate(2012, 1, 4), Period::ThisWeek, "entrydate>='2012.01.02' AND entrydate<='2012.01.08'",
         1},
        {QDate(2016, 1, 3), Period::ThisWeek, "entrydate>='2015.12.28' AND entrydate<='2016.01.03'",
         53},
        {QDate(2013, 12, 31), Period::ThisWeek,
         "entrydate>='2013.12.30' AND entrydate<='2014.01.05'", 1},
        {wednesday, Period::Today, "entrydate>='2012.02.15' AND entrydate<='2012.02.15'", 0},
        {wednesday, Period::ThisMonth, "entrydate>='2012.02.01' AND entrydate<='2012.02.29'", 0},
        {wednesday, Period::FourthQuarter, "entrydate>='2012.10.01' AND entrydate<='2012.12.31'",
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Period::EntryText(c.entry).toStdString() + " on " +
                     c.today.toString().toStdString());
        Period p(c.today);
        ASSERT_TRUE(p.ChooseEntry(c.entry));
        ASSERT_TRUE(p.WriteState());
        EXPECT_EQ(p.PeriodFilter(), c.filter);
        EXPECT_EQ(p.PeriodFilter(),
                  "entrydate>='" + p.PeriodFrom() + "' AND entrydate<='" + p.PeriodTo() + "'");
        EXPECT_EQ(p.PeriodWeek(), c.week);
    }
}

TEST_F(PeriodTest, TypedFieldsAreWrittenPaddedAndTheCaptionFollows) {
    Period p(wednesday);
    ASSERT_TRUE(p.ChooseEntry(Period::ThisWeek));
    p.SetFields("5.3.2012", "11.3.12");
    ASSERT_TRUE(p.WriteState());
    EXPECT_EQ(p.PeriodFrom(), "2012.03.05");
    EXPECT_EQ(p.PeriodTo(), "2012.03.11");
    EXPECT_EQ(p.PeriodWeek(), 10);
    EXPECT_EQ(Fields(p), std::make_pair(QString("05.03.2012"), QString("11.03.2012")));
    EXPECT_EQ(p.PeriodCaption(), "Denne uken (05.03.2012-11.03.2012)");

    // Showing the dialog again starts from the written state.
    p.SetFields("junk", "junk");
    p.LoadFields();
    EXPECT_EQ(Fields(p), std::make_pair(QString("05.03.2012"), QString("11.03.2012")));
}

TEST_F(PeriodTest, SelectPeriodWritesAtOnce) {
    Period p(wednesday);
    ASSERT_TRUE(p.SelectPeriod(Period::ThisWeek));
    EXPECT_EQ(p.PeriodFrom(), "2012.02.13");
    EXPECT_EQ(p.PeriodTo(), "2012.02.19");
    EXPECT_EQ(p.PeriodWeek(), 7);
    EXPECT_EQ(p.SelectedEntry(), Period::ThisWeek);
    EXPECT_FALSE(p.SelectPeriod(Period::EntryCount));
    EXPECT_EQ(p.PeriodFrom(), "2012.02.13");

    // "Valgt dato" without a dialog keeps the current period.
    ASSERT_TRUE(p.SelectPeriod(Period::ChosenDates));
    EXPECT_EQ(p.PeriodFrom(), "2012.02.13");
    EXPECT_EQ(p.PeriodWeek(), 0);

    // The free function acts on the current context's period.
    ctx_.period().SetToday(wednesday);
    ASSERT_TRUE(SelectPeriod(Period::LastWeek));
    EXPECT_EQ(ctx_.period().PeriodFrom(), "2012.02.06");
    EXPECT_EQ(ctx_.period().PeriodWeek(), 6);
}

}  // namespace
