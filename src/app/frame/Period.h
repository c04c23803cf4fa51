#pragma once

#include <QDate>
#include <QString>

// The program-wide period that every dated list shares (time entries,
// postings, consumption, cash sales), and the working values of the period
// dialog: its two date fields and the selected list entry. The dialog only
// shows these; choosing an entry, "<<", ">>" and closing are computed here.
//
// Dates: the fields hold screen dates (dd.mm.yyyy); PeriodFrom and PeriodTo
// hold year.month.day, the form SQL conditions compare with.
class Period {
  public:
    // The list entries, in the dialog's order.
    enum Entry {
        ChosenDates = 0,  // "Valgt dato"
        Today = 1,
        ThisWeek = 2,
        LastWeek = 3,
        ThisMonth = 4,
        LastMonth = 5,
        ThisYear = 6,
        LastYear = 7,
        LastTwoYears = 8,
        FirstQuarter = 9,
        SecondQuarter = 10,
        ThirdQuarter = 11,
        FourthQuarter = 12,
        FirstHalf = 13,
        SecondHalf = 14,
        JanuaryFebruary = 15,
        MarchApril = 16,
        MayJune = 17,
        JulyAugust = 18,
        SeptemberOctober = 19,
        NovemberDecember = 20,
        EntryCount = 21
    };

    // The start-of-program state for today's year.
    Period();
    // The same for a given "today" (tests fix the day this way).
    explicit Period(const QDate& today);

    // The text of list entry `index` (0 .. EntryCount-1).
    static QString EntryText(int index);

    // The day the entries count from; the system date unless fixed.
    QDate TodayDate() const;
    void SetToday(const QDate& today) { today_ = today; }

    // The state the lists read.
    QString PeriodYear() const { return QString::number(year_); }
    const QString& PeriodFrom() const { return from_; }
    const QString& PeriodTo() const { return to_; }
    const QString& PeriodFilter() const { return filter_; }
    int PeriodWeek() const { return week_; }
    const QString& PeriodCaption() const { return caption_; }

    // The dialog's working values.
    int SelectedEntry() const { return selected_; }
    const QString& FromField() const { return fromField_; }
    const QString& ToField() const { return toField_; }
    void SetFields(const QString& from, const QString& to);
    // Fills the fields from the current period (when the dialog is shown).
    void LoadFields();

    // Selects list entry `index`, sets the fields to its dates and updates
    // PeriodCaption. False (with a message) when "Valgt dato" finds a field
    // that is not a date, or the index is out of range.
    bool ChooseEntry(int index);

    // "<<" and ">>": shift the fields by the selected entry's unit. False
    // (with a message) when a field is not a date.
    bool ShiftBack() { return Shift(-1); }
    bool ShiftForward() { return Shift(+1); }

    // Writes PeriodFrom, PeriodTo, PeriodFilter, PeriodWeek and PeriodCaption
    // from the fields. When a field is not a date the state stays as it was;
    // with `report` the user is told which text was refused.
    bool WriteState(bool report = true);

    // Chooses entry `index` and writes the state at once, without a dialog.
    bool SelectPeriod(int index);

  private:
    bool Shift(int direction);
    bool ParseFields(QDate& from, QDate& to, bool report) const;
    void SetFieldDates(const QDate& from, const QDate& to);
    void UpdateCaption();

    QDate today_;  // invalid: use the system date
    int year_;
    QString from_, to_, filter_, caption_;
    int week_ = 0;
    int selected_ = ThisYear;
    QString fromField_, toField_;
};

// Chooses entry `index` of the current context's period and writes its
// state at once (the main window's time registration uses "Denne uken").
bool SelectPeriod(int index);
