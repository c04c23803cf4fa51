#pragma once

#include <QDate>
#include <QString>

// Dates typed on screen (day.month.year) and their text in SQL conditions
// (year.month.day).

// "d.m.yyyy", "dd.mm.yyyy", "d.m.yy" or "dd.mm.yy" (blanks around allowed);
// an invalid QDate for anything else or an impossible date ("31.02.2012").
// A two-digit year falls in the hundred years from 50 years back.
QDate ParseScreenDate(const QString& text);

// "yyyy.MM.dd", zero-padded: the form SQL conditions compare against.
QString SqlDateText(const QDate& date);

// "dd.MM.yyyy": the form dates are shown in.
QString ScreenDateText(const QDate& date);

// The typed date as "yyyy.MM.dd"; empty (and `ok` false) when it is not a date.
QString ScreenDateToSql(const QString& text, bool* ok = nullptr);
