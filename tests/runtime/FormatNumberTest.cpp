#include <gtest/gtest.h>

#include "platform/runtime/Format.h"
#include "tests/support/Printers.h"

namespace {

const QLocale Italian(QLocale::Italian, QLocale::Italy);
const QLocale English(QLocale::English, QLocale::UnitedStates);

QString It(const Variant& v, const char* pattern) { return Format(v, QString::fromUtf8(pattern), Italian); }

TEST(FormatNumber, AmountPatternsUseItalianSeparators) {
  EXPECT_EQ(It(1234.5, "##,##0.00 "), "1.234,50 ");
  EXPECT_EQ(It(0.0, "##,##0.00 "), "0,00 ");
  EXPECT_EQ(It(-1234.567, "##,##0.00 "), "-1.234,57 ");
  EXPECT_EQ(It(1234567.891, "#,#.00"), "1.234.567,89");
  EXPECT_EQ(It(1234.5, "#,#.00"), "1.234,50");
  EXPECT_EQ(It(0.0, "#,#.00"), ",00");
  EXPECT_EQ(It(0.5, "#,#.00"), ",50");
  EXPECT_EQ(It(999.999, "#,#.00"), "1.000,00");
  EXPECT_EQ(It(1234567.125, "###,##0.00"), "1.234.567,13");
  EXPECT_EQ(It(12.5, "#,#.0000"), "12,5000");
  EXPECT_EQ(Format(1234.5, QStringLiteral("#,##0.00"), English), "1,234.50");
}

TEST(FormatNumber, DisplayedDigitsRoundHalfAwayFromZero) {
  EXPECT_EQ(It(2.675, "0.00"), "2,68");
  EXPECT_EQ(It(0.125, "0.00"), "0,13");
  EXPECT_EQ(It(2.5, "0"), "3");
  EXPECT_EQ(It(-2.5, "0"), "-3");
  EXPECT_EQ(It(1.005, "0.00"), "1,01");
  EXPECT_EQ(It(0.1 + 0.2, "0.0000000000"), "0,3000000000");
  // A negative value that shows as zero has no minus.
  EXPECT_EQ(It(-0.001, "0.00"), "0,00");
}

TEST(FormatNumber, SectionsForNegativeZeroAndNull) {
  const char* amount = "##,##0.00;-##,##0.00;0.00";
  EXPECT_EQ(It(1234.5, amount), "1.234,50");
  EXPECT_EQ(It(-1234.5, amount), "-1.234,50");
  EXPECT_EQ(It(0.0, amount), "0,00");
  EXPECT_EQ(It(-5, "0;(0)"), "(5)");
  EXPECT_EQ(It(0, "0;(0)"), "0");
  EXPECT_EQ(It(0, "0;(0);\\z\\e\\r\\o"), "zero");
  // An empty negative section falls back to the first with a minus.
  EXPECT_EQ(It(-5, "0;;\"nulla\""), "-5");
  EXPECT_EQ(It(0, "0;;\"nulla\""), "nulla");
  EXPECT_EQ(It(Variant::null(), "0;-0;0;\\N\\u\\l\\l\\o"), "Nullo");
  EXPECT_EQ(It(Variant::null(), "0.00"), "");
  EXPECT_EQ(It(Variant(), "0.00"), "");
  EXPECT_EQ(It(Variant(), ""), "");
}

TEST(FormatNumber, ZeroPaddingLiteralsAndEscapes) {
  EXPECT_EQ(It(42, "00000"), "00042");
  EXPECT_EQ(It(1, "000"), "001");
  EXPECT_EQ(It(2, "\\D000"), "D002");
  EXPECT_EQ(It(12345, "000"), "12345");
  EXPECT_EQ(It(-7, "\\D000"), "-D007");
  EXPECT_EQ(It(5, "0 \"pz.\""), "5 pz.");
  EXPECT_EQ(It(1234, "00-00"), "12-34");
  EXPECT_EQ(It(1.0, "#.##"), "1,");
  EXPECT_EQ(It(1.5, "#.##"), "1,5");
  EXPECT_EQ(It(12.5, ".00"), "12,50");
  EXPECT_EQ(It(0.1234, "0.0%"), "12,3%");
  EXPECT_EQ(It(1234567, "#,##0,"), "1.235");
}

TEST(FormatNumber, ValueKindsAndGeneralForm) {
  EXPECT_EQ(It(Currency::fromRaw(12345), "#,#.0000"), "1,2345");
  EXPECT_EQ(It(Currency::fromRaw(-50000), "0.00"), "-5,00");
  EXPECT_EQ(It(Variant(std::int16_t(7)), "000"), "007");
  EXPECT_EQ(It(true, "0"), "-1");
  EXPECT_EQ(It("1.234,5", "#,##0.00"), "1.234,50");
  EXPECT_EQ(It("abc", "0.00"), "abc");
  EXPECT_EQ(It(QDate(1900, 1, 1), "0"), "2");

  EXPECT_EQ(It(1234.5, ""), "1234,5");
  EXPECT_EQ(It(-0.25, ""), "-0,25");
  EXPECT_EQ(It(0.1 + 0.2, ""), "0,3");
  EXPECT_EQ(It(1e20, ""), "1E+20");
  EXPECT_EQ(It(Currency::fromRaw(std::numeric_limits<std::int64_t>::max()), ""), "922337203685477,5807");
  EXPECT_EQ(It(Variant(std::int32_t(-42)), ""), "-42");
  EXPECT_EQ(It("testo", ""), "testo");
}

TEST(FormatNumber, NamedNumberFormats) {
  EXPECT_EQ(It(1234.5, "Standard"), "1.234,50");
  EXPECT_EQ(It(1234.5, "fixed"), "1234,50");
  EXPECT_EQ(It(0.125, "Percent"), "12,50%");
  EXPECT_EQ(It(1234.5, "General Number"), "1234,5");
  const QString currency = It(1234.565, "Currency");
  EXPECT_TRUE(currency.contains(QStringLiteral("1.234,57"))) << currency.toStdString();
  EXPECT_TRUE(currency.contains(QStringLiteral("€"))) << currency.toStdString();
  EXPECT_TRUE(It(-3, "Currency").contains('-'));
}

}  // namespace
