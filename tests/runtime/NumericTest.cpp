#include <gtest/gtest.h>

#include "platform/runtime/Numeric.h"

namespace {

const QLocale Italian(QLocale::Italian, QLocale::Italy);
const QLocale English(QLocale::English, QLocale::UnitedStates);

std::optional<double> It(const char* text) { return ParseNumber(QString::fromUtf8(text), Italian); }

TEST(Numeric, ItalianTextReadsWithCommaDecimalsAndDotGroups) {
  EXPECT_EQ(It("12,5"), 12.5);
  EXPECT_EQ(It("1.234,5"), 1234.5);
  EXPECT_EQ(It("1.234.567"), 1234567.0);
  EXPECT_EQ(It("  -3  "), -3.0);
  EXPECT_EQ(It("+3"), 3.0);
  EXPECT_EQ(It("- 3"), -3.0);
  EXPECT_EQ(It(",5"), 0.5);
  EXPECT_EQ(It("5,"), 5.0);
  EXPECT_EQ(It("1,5E3"), 1500.0);
  EXPECT_EQ(It("2e-2"), 0.02);
  EXPECT_EQ(It("007"), 7.0);
}

TEST(Numeric, RejectsEmptyMalformedAndMisplacedSeparators) {
  for (const char* text : {"", "   ", "abc", "12a", ",", ".", "-", "--1", "12,5,3", "1e", "1e999", "12.5",
                           "1.2345", "1234.567", ".123", "1..234", "1,234.5", "€ 5"})
    EXPECT_FALSE(It(text).has_value()) << text;
  EXPECT_FALSE(IsNumeric(QString(), Italian));
}

TEST(Numeric, EnglishLocaleSwapsTheSeparators) {
  EXPECT_EQ(ParseNumber(QStringLiteral("12.5"), English), 12.5);
  EXPECT_EQ(ParseNumber(QStringLiteral("1,234.5"), English), 1234.5);
  EXPECT_FALSE(ParseNumber(QStringLiteral("12,5"), English).has_value());
}

TEST(Numeric, VariantKinds) {
  EXPECT_TRUE(IsNumeric(Variant(std::int16_t(1))));
  EXPECT_TRUE(IsNumeric(Variant(std::int32_t(1))));
  EXPECT_TRUE(IsNumeric(Variant(1.5)));
  EXPECT_TRUE(IsNumeric(Variant(Currency::fromInt(2))));
  EXPECT_TRUE(IsNumeric(Variant(true)));
  EXPECT_TRUE(IsNumeric(Variant("12,5")));  // default locale is Italian in tests
  EXPECT_FALSE(IsNumeric(Variant("12.5")));
  EXPECT_FALSE(IsNumeric(Variant()));
  EXPECT_FALSE(IsNumeric(Variant::null()));
  EXPECT_FALSE(IsNumeric(Variant(QDate(2026, 1, 1))));
  EXPECT_FALSE(IsNumeric(Variant(QByteArray("12"))));
  EXPECT_FALSE(IsNumeric(Variant("")));
}

}  // namespace
