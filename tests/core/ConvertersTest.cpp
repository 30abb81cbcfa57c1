#include <gtest/gtest.h>

#include <QDate>

#include "core/comUtility.h"
#include "tests/support/Printers.h"

namespace {

TEST(NzStr, ReturnsOnlyText) {
  EXPECT_EQ(NzStr(Variant("Rossi"), "x"), "Rossi");
  EXPECT_EQ(NzStr(Variant(QString()), "x"), "") << "the empty text is text";
  EXPECT_EQ(NzStr(Variant("  "), "x"), "  ");

  EXPECT_EQ(NzStr(Variant::null(), "x"), "x");
  EXPECT_EQ(NzStr(Variant(), "x"), "x");
  EXPECT_EQ(NzStr(Variant(std::int32_t(5)), "x"), "x") << "numbers are never converted";
  EXPECT_EQ(NzStr(Variant(2.5), "x"), "x");
  EXPECT_EQ(NzStr(Variant(Currency::fromDouble(3.0).value()), "x"), "x");
  EXPECT_EQ(NzStr(Variant(QDate(2024, 3, 5)), "x"), "x");
  EXPECT_EQ(NzStr(Variant(true), "x"), "x");
  EXPECT_EQ(NzStr(Variant(QByteArray("ab")), "x"), "x");
}

TEST(NzNum, ReadsNumbersAndNumericTextUnderTheUsersLocale) {
  EXPECT_DOUBLE_EQ(NzNum(Variant("12,5"), -1), 12.5);
  EXPECT_DOUBLE_EQ(NzNum(Variant(" 7 "), -1), 7);
  EXPECT_DOUBLE_EQ(NzNum(Variant("-3,25"), -1), -3.25);
  EXPECT_DOUBLE_EQ(NzNum(Variant(std::int16_t(-4)), -1), -4);
  EXPECT_DOUBLE_EQ(NzNum(Variant(std::int32_t(100000)), -1), 100000);
  EXPECT_DOUBLE_EQ(NzNum(Variant(0.1), -1), 0.1);
  EXPECT_DOUBLE_EQ(NzNum(Variant(Currency::fromDouble(1.2345).value()), -1), 1.2345);
  EXPECT_DOUBLE_EQ(NzNum(Variant(true), 5), -1) << "True counts as -1";
  EXPECT_DOUBLE_EQ(NzNum(Variant(false), 5), 0);
}

TEST(NzNum, GivesTheDefaultForWhatIsNotANumber) {
  EXPECT_DOUBLE_EQ(NzNum(Variant::null(), 9), 9);
  EXPECT_DOUBLE_EQ(NzNum(Variant(), 9), 9);
  EXPECT_DOUBLE_EQ(NzNum(Variant(QString()), 9), 9);
  EXPECT_DOUBLE_EQ(NzNum(Variant("abc"), 9), 9);
  EXPECT_DOUBLE_EQ(NzNum(Variant("12,5 kg"), 9), 9);
  EXPECT_DOUBLE_EQ(NzNum(Variant(QDate(2024, 3, 5)), 9), 9);
  EXPECT_DOUBLE_EQ(NzNum(Variant(QByteArray("12")), 9), 9);
}

TEST(FiltraNumero, LetsDigitsCommaBackspaceAndTabThrough) {
  for (std::int16_t key = '0'; key <= '9'; ++key) EXPECT_EQ(FiltraNumero(key), key);
  EXPECT_EQ(FiltraNumero(','), ',');
  EXPECT_EQ(FiltraNumero(8), 8);
  EXPECT_EQ(FiltraNumero(9), 9);
  EXPECT_EQ(FiltraNumero('.'), ',') << "a typed point becomes the decimal comma";
}

TEST(FiltraNumero, DropsEverythingElse) {
  for (std::int16_t key :
       {std::int16_t('-'), std::int16_t('+'), std::int16_t(13), std::int16_t(27), std::int16_t(' '),
        std::int16_t('/'), std::int16_t(':'), std::int16_t('a'), std::int16_t('E'), std::int16_t(0),
        std::int16_t(127), std::int16_t(0xE8), std::int16_t(-1)})
    EXPECT_EQ(FiltraNumero(key), 0) << "key " << key;
}

}  // namespace
