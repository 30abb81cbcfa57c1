#pragma once

#include <QDate>
#include <QDateTime>
#include <optional>

// Today's date without a time, and the current date and time.
QDate Today();
QDateTime Now();

// Date serial numbers as the program's data know them: days since 30 December 1899, the time of day
// as the fraction. The years 100 to 9999 are representable.
double DateToSerial(const QDateTime& value);
std::optional<QDateTime> SerialToDate(double serial);
