#pragma once

#include <QDate>
#include <QString>

namespace db {

// Turns the program's Jet SQL into SQLite SQL: #mm/dd/yy# date literals (years 00-29 are 20xx,
// 30-99 19xx), DELETE * FROM, & as text concatenation, True/False, IIf, IsNull, [bracketed]
// names. String literals are never touched.
QString translateJet(const QString& jetSql);

// The text a date is stored as: ISO "YYYY-MM-DD".
QString isoDate(const QDate& date);

// A text value as an SQL string literal with its apostrophes doubled: D'Angelo -> 'D''Angelo'. For
// texts typed by the user that go into composed SQL.
QString jetText(const QString& text);

}  // namespace db
