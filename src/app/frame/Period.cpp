#include "app/frame/Period.h"

#include <array>

#include "app/frame/AppContext.h"
#include "app/frame/Dates.h"
#include "app/frame/Prompter.h"

namespace {

const std::array<const char*, Period::EntryCount> entryTexts = {
    "Valgt dato",         "I dag",       "Denne uken", "Forrige uke",   "Denne måned",
    "Forrige måned",      "Dette år",    "Forrige år", "Siste to år",   "1. kvartal",
    "2. kvartal",         "3. kvartal",  "4. kvartal", "Første halvår", "Andre halvår",
    "Januar - Februar",   "Mars -April", "Mai - Juni", "Jui - August",  "September - Oktober",
    "November - Desember"};

QDate LastOfMonth(const QDate& date) {
    return QDate(date.year(), date.month(), date.daysInMonth());
}

}  // namespace

Period::Period() : Period(QDate()) {}

Period::Period(const QDate& today) : today_(today) {
    year_ = TodayDate().year();
    const QString y = PeriodYear();
    from_ = y + QStringLiteral(".01.01");
    to_ = y + QStringLiteral(".12.31");
    filter_ = QStringLiteral("entrydate<='%1' AND entrydate>='%2'").arg(to_, from_);
    LoadFields();
    UpdateCaption();
}

QString Period::EntryText(int index) {
    if (index < 0 || index >= EntryCount) return {};
    return QString::fromUtf8(entryTexts[static_cast<size_t>(index)]);
}

QDate Period::TodayDate() const { return today_.isValid() ? today_ : QDate::currentDate(); }

void Period::SetFields(const QString& from, const QString& to) {
    fromField_ = from;
    toField_ = to;
}

void Period::LoadFields() {
    const QDate from = QDate::fromString(from_, QStringLiteral("yyyy.MM.dd"));
    const QDate to = QDate::fromString(to_, QStringLiteral("yyyy.MM.dd"));
    fromField_ = ScreenDateText(from);
    toField_ = ScreenDateText(to);
}

bool Period::ParseFields(QDate& from, QDate& to, bool report) const {
    from = ParseScreenDate(fromField_);
    to = ParseScreenDate(toField_);
    const QString* refused = !from.isValid() ? &fromField_ : !to.isValid() ? &toField_ : nullptr;
    if (!refused) return true;
    if (report) {
        ShowMessage(
            QStringLiteral("FEIL"),
            QStringLiteral("Ugyldig dato: \"%1\". Skriv datoen som dd.mm.åååå.").arg(*refused));
    }
    return false;
}

void Period::SetFieldDates(const QDate& from, const QDate& to) {
    fromField_ = ScreenDateText(from);
    toField_ = ScreenDateText(to);
}

void Period::UpdateCaption() {
    caption_ = EntryText(selected_) + QStringLiteral(" (") + fromField_ + u'-' + toField_ + u')';
}

bool Period::ChooseEntry(int index) {
    if (index < 0 || index >= EntryCount) return false;
    const QDate d = TodayDate();
    QDate f, t;
    const auto year = [&](int month, int day) { return QDate(year_, month, day); };
    switch (index) {
        case ChosenDates:
            if (!ParseFields(f, t, true)) return false;
            if (t < f) t = f;
            break;
        case Today:
            f = t = d;
            break;
        case ThisWeek:
            f = d.addDays(1 - d.dayOfWeek());
            t = f.addDays(6);
            break;
        case LastWeek:
            f = d.addDays(1 - d.dayOfWeek() - 7);
            t = f.addDays(6);
            break;
        case ThisMonth:
            f = QDate(year_, d.month(), 1);
            t = LastOfMonth(f);
            break;
        case LastMonth: {
            const QDate prior = d.addMonths(-1);
            f = QDate(prior.year(), prior.month(), 1);
            t = LastOfMonth(f);
            break;
        }
        case ThisYear:
            year_ = d.year();
            f = year(1, 1);
            t = year(12, 31);
            break;
        case LastYear:
            --year_;
            f = year(1, 1);
            t = year(12, 31);
            break;
        case LastTwoYears:
            f = QDate(year_ - 1, 1, 1);
            t = year(12, 31);
            break;
        case FirstQuarter:
            f = year(1, 1);
            t = year(3, 31);
            break;
        case SecondQuarter:
            f = year(4, 1);
            t = year(6, 30);
            break;
        case ThirdQuarter:
            f = year(7, 1);
            t = year(9, 30);
            break;
        case FourthQuarter:
            f = year(10, 1);
            t = year(12, 31);
            break;
        case FirstHalf:
            f = year(1, 1);
            t = year(6, 30);
            break;
        case SecondHalf:
            f = year(7, 1);
            t = year(12, 31);
            break;
        case JanuaryFebruary:
            f = year(1, 1);
            t = LastOfMonth(year(2, 1));
            break;
        case MarchApril:
            f = year(3, 1);
            t = year(4, 30);
            break;
        case MayJune:
            f = year(5, 1);
            t = year(6, 30);
            break;
        case JulyAugust:
            f = year(7, 1);
            t = year(8, 31);
            break;
        case SeptemberOctober:
            f = year(9, 1);
            t = year(10, 31);
            break;
        case NovemberDecember:
            f = year(11, 1);
            t = year(12, 31);
            break;
        default:
            return false;
    }
    selected_ = index;
    SetFieldDates(f, t);
    UpdateCaption();
    return true;
}

bool Period::Shift(int direction) {
    QDate f, t;
    switch (selected_) {
        case Today:
        case ThisWeek:
        case LastWeek: {
            if (!ParseFields(f, t, true)) return false;
            const int days = selected_ == Today ? 1 : 7;
            f = f.addDays(direction * days);
            t = t.addDays(direction * days);
            break;
        }
        case ThisMonth:
        case LastMonth:
            if (!ParseFields(f, t, true)) return false;
            if (direction < 0) {
                t = f.addDays(-1);
                f = QDate(t.year(), t.month(), 1);
            } else {
                f = t.addDays(1);
                t = LastOfMonth(f);
            }
            break;
        case ThisYear:
        case LastYear:
        case LastTwoYears: {
            if (!ParseFields(f, t, true)) return false;
            const int y = f.year() + direction;
            f = QDate(y, 1, 1);
            t = QDate(y, 12, 31);
            break;
        }
        default:
            return true;  // the other entries are not shifted
    }
    SetFieldDates(f, t);
    UpdateCaption();
    return true;
}

bool Period::WriteState(bool report) {
    QDate f, t;
    if (!ParseFields(f, t, report)) return false;
    SetFieldDates(f, t);
    from_ = SqlDateText(f);
    to_ = SqlDateText(t);
    filter_ = QStringLiteral("entrydate>='%1' AND entrydate<='%2'").arg(from_, to_);
    week_ = (selected_ == ThisWeek || selected_ == LastWeek) ? f.weekNumber() : 0;
    UpdateCaption();
    return true;
}

bool Period::SelectPeriod(int index) {
    LoadFields();
    return ChooseEntry(index) && WriteState();
}

bool SelectPeriod(int index) { return Ctx().period().SelectPeriod(index); }
