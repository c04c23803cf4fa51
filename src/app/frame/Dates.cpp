#include "app/frame/Dates.h"

#include <QRegularExpression>

QDate ParseScreenDate(const QString& text) {
    static const QRegularExpression form(
        QStringLiteral(R"(^\s*(\d{1,2})\.(\d{1,2})\.(\d{2}|\d{4})\s*$)"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch()) return QDate();
    const int day = match.captured(1).toInt();
    const int month = match.captured(2).toInt();
    int year = match.captured(3).toInt();
    if (match.captured(3).size() == 2) {
        const int pivot = QDate::currentDate().year() - 50;
        year += pivot - pivot % 100;
        if (year < pivot) year += 100;
    }
    return QDate(year, month, day);  // invalid when the day does not exist
}

QString SqlDateText(const QDate& date) {
    return date.isValid() ? date.toString(QStringLiteral("yyyy.MM.dd")) : QString();
}

QString ScreenDateText(const QDate& date) {
    return date.isValid() ? date.toString(QStringLiteral("dd.MM.yyyy")) : QString();
}

QString ScreenDateToSql(const QString& text, bool* ok) {
    const QDate date = ParseScreenDate(text);
    if (ok) *ok = date.isValid();
    return SqlDateText(date);
}
