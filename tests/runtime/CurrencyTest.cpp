#include <gtest/gtest.h>

#include "platform/runtime/Currency.h"

namespace {

std::int64_t raw(double value) { return Currency::fromDouble(value).value().raw(); }

TEST(Currency, ConversionRoundsHalfToEvenOnTheFourthDecimal) {
  EXPECT_EQ(raw(1.00005), 10000);
  EXPECT_EQ(raw(1.00015), 10002);
  EXPECT_EQ(raw(1.00025), 10002);
  EXPECT_EQ(raw(2.5 / 10000), 2);
  EXPECT_EQ(raw(3.5 / 10000), 4);
  EXPECT_EQ(raw(-1.00015), -10002);
  EXPECT_EQ(raw(0.00004999), 0);
  EXPECT_EQ(raw(0.1 + 0.2), 3000);
  EXPECT_EQ(raw(19.99 * 3), 599700);
  EXPECT_EQ(raw(-0.00001), 0);
  EXPECT_EQ(raw(123456789.12345), 1234567891234);
}

TEST(Currency, OverflowAndNonFiniteValuesAreRefused) {
  EXPECT_EQ(raw(922337203685477.0), 9223372036854770000);
  EXPECT_EQ(raw(-922337203685477.0), -9223372036854770000);
  EXPECT_FALSE(Currency::fromDouble(922337203685478.0).has_value());
  EXPECT_FALSE(Currency::fromDouble(1e15).has_value());
  EXPECT_FALSE(Currency::fromDouble(-1e300).has_value());
  EXPECT_FALSE(Currency::fromDouble(std::numeric_limits<double>::infinity()).has_value());
  EXPECT_FALSE(Currency::fromDouble(std::numeric_limits<double>::quiet_NaN()).has_value());
}

TEST(Currency, ArithmeticStaysExact) {
  Currency sum;
  for (int i = 0; i < 10; ++i) sum = sum + Currency::fromDouble(0.1).value();
  EXPECT_EQ(sum, Currency::fromInt(1));
  EXPECT_EQ((Currency::fromInt(1) - Currency::fromRaw(1)).toInvariantString(), "0.9999");
  EXPECT_EQ(Currency::fromRaw(-5).toInvariantString(), "-0.0005");

  const Currency largest = Currency::fromRaw(std::numeric_limits<std::int64_t>::max());
  const Currency smallest = Currency::fromRaw(std::numeric_limits<std::int64_t>::min());
  EXPECT_THROW(largest + Currency::fromRaw(1), std::overflow_error) << "never wraps round";
  EXPECT_THROW(smallest - Currency::fromRaw(1), std::overflow_error);
  EXPECT_THROW(-smallest, std::overflow_error);
  EXPECT_EQ(largest - largest, Currency());
}

}  // namespace
