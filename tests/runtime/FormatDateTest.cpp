#include <gtest/gtest.h>

#include "platform/runtime/DateTime.h"
#include "platform/runtime/Format.h"
#include "tests/support/Printers.h"

namespace {

const QLocale Italian(QLocale::Italian, QLocale::Italy);

QString It(const Variant& v, const char* pattern) { return Format(v, QString::fromUtf8(pattern), Italian); }

const QDate Monday(2026, 12, 7);

TEST(FormatDate, PatternsOfTheProgramWithItalianNames) {
  EXPECT_EQ(It(Monday, "ddd d mmm yy"), "lun 7 dic 26");
  EXPECT_EQ(It(Monday, "dd-mm-yyyy"), "07-12-2026");
  EXPECT_EQ(It(Monday, "dddd dd-mmmm-yyyy"), QString::fromUtf8("lunedì 07-dicembre-2026"));
  EXPECT_EQ(It(QDate(2026, 3, 5), "\\#mm/dd/yy\\#"), "#03/05/26#");
  EXPECT_EQ(It(Monday, "Long Date"), QString::fromUtf8("lunedì 7 dicembre 2026"));
  EXPECT_EQ(It(Monday, "Short Date"), Italian.toString(Monday, QLocale::ShortFormat));
  EXPECT_EQ(It(Monday, "DD/MM/YYYY"), "07/12/2026");
}

TEST(FormatDate, TextDatesAsTheUserWritesThem) {
  EXPECT_EQ(It("05/03/24", "dd-mm-yyyy"), "05-03-2024");
  EXPECT_EQ(It("5/3/29", "dd-mm-yyyy"), "05-03-2029");
  EXPECT_EQ(It("05/03/30", "dd-mm-yyyy"), "05-03-1930");
  EXPECT_EQ(It("5-3-2024", "dd-mm-yyyy"), "05-03-2024");
  EXPECT_EQ(It("05.03.24 14:30", "dd-mm-yyyy hh:nn"), "05-03-2024 14:30");
  EXPECT_EQ(It("31/02/24", "dd-mm-yyyy"), "31/02/24") << "not a date: shown as written";
  const QLocale english(QLocale::English, QLocale::UnitedStates);
  EXPECT_EQ(Format(Variant("03/05/24"), QStringLiteral("dd-mm-yyyy"), english), "05-03-2024")
      << "the month comes first where the locale writes it first";

  EXPECT_EQ(DateFromText("2024-03-05 14:30:09", Italian),
            QDateTime(QDate(2024, 3, 5), QTime(14, 30, 9), Qt::UTC));
  for (const char* text : {"", "5/3", "05/03/024", "05/03-24", "005/03/24", "05/03/24 25:00", "2024-13-01"})
    EXPECT_FALSE(DateFromText(QString::fromUtf8(text), Italian).has_value()) << text;
}

TEST(FormatDate, SqlDateLiteralKeepsSlashesInEveryLocale) {
  const QLocale german(QLocale::German, QLocale::Germany);
  EXPECT_EQ(Format(QDate(2026, 3, 5), QStringLiteral("\\#mm/dd/yy\\#"), german), "#03/05/26#");
}

TEST(FormatDate, TimesAndOtherTokens) {
  const QDateTime afternoon(Monday, QTime(14, 5, 9), Qt::UTC);
  EXPECT_EQ(It(afternoon, "hh:mm:ss"), "14:05:09");
  EXPECT_EQ(It(afternoon, "dd/mm/yyyy hh:nn"), "07/12/2026 14:05");
  EXPECT_EQ(It(afternoon, "h:mm AM/PM"), "2:05 PM");
  EXPECT_EQ(It(afternoon, "h:mm a/p"), "2:05 p");
  EXPECT_EQ(It(afternoon, "ttttt"), "14:05:09");
  EXPECT_EQ(It(Monday, "q y w ww"), "4 341 2 50");
  EXPECT_EQ(It(afternoon, ""), Italian.toString(Monday, QLocale::ShortFormat) + " 14:05:09");
  EXPECT_EQ(It(Monday, ""), Italian.toString(Monday, QLocale::ShortFormat));
}

TEST(FormatDate, OtherValueKindsConvertToDates) {
  EXPECT_EQ(It(2, "dd-mm-yyyy"), "01-01-1900");
  EXPECT_EQ(It(2.5, "dd-mm-yyyy hh:nn"), "01-01-1900 12:00");
  EXPECT_EQ(It("2026-12-07", "dd-mm-yyyy"), "07-12-2026");
  EXPECT_EQ(It("07/12/2026", "yyyy-mm-dd"), "2026-12-07");
  EXPECT_EQ(It("non una data", "dd-mm-yyyy"), "non una data");
  EXPECT_EQ(It(Variant::null(), "dd-mm-yyyy"), "");
  EXPECT_EQ(It(1e12, "dd-mm-yyyy"), "1000000000000");
}

}  // namespace
