#pragma once

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <optional>

// Today's date without a time, and the current date and time.
QDate Today();
QDateTime Now();

// Date serial numbers as the program's data know them: days since 30 December 1899, the time of day
// as the fraction. The years 100 to 9999 are representable.
double DateToSerial(const QDateTime& value);
std::optional<QDateTime> SerialToDate(double serial);

// The full year of a year written with one or two digits: 00-29 are 2000-2029, 30-99 are 1930-1999.
// Years written with more digits are taken as they are.
int FullYear(int year, qsizetype digits);

// A date (and time) written as the user writes one: day, month and year in the order of the locale's
// short date form, separated by "/", "-" or ".", the year with two or four digits, optionally
// followed by a time h:mm or h:mm:ss; also the stored form "YYYY-MM-DD[ HH:MM:SS]" and the locale's
// long date form. Nothing when the text is not a valid date.
std::optional<QDateTime> DateFromText(const QString& text, const QLocale& locale = QLocale());
