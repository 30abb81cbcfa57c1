#include <gtest/gtest.h>

#include "platform/db/AdoTypes.h"
#include "platform/grid/CellValues.h"

namespace {

using grid::convertToField;

// What the user types into a cell, turned into the field's type under the Italian locale.
TEST(CellValuesTest, TypedTextBecomesTheFieldType) {
  EXPECT_DOUBLE_EQ(convertToField(Variant("1.234,5"), db::adDouble).toDouble(), 1234.5);
  EXPECT_EQ(convertToField(Variant("12,34567"), db::adCurrency).toCurrency(), Currency::fromRaw(123457));
  EXPECT_EQ(convertToField(Variant("42"), db::adInteger).type(), VarType::Long);
  EXPECT_EQ(convertToField(Variant("7"), db::adSmallInt).type(), VarType::Integer);
  EXPECT_EQ(convertToField(Variant("05/03/24"), db::adDate).toDate(), QDate(2024, 3, 5));
  EXPECT_EQ(convertToField(Variant("05/03/1999"), db::adDate).toDate(), QDate(1999, 3, 5));
  EXPECT_EQ(convertToField(Variant("1/2/45"), db::adDate).toDate(), QDate(1945, 2, 1));
  EXPECT_TRUE(convertToField(Variant("Vero"), db::adBoolean).toBool());
  EXPECT_FALSE(convertToField(Variant("0"), db::adBoolean).toBool());
  EXPECT_TRUE(convertToField(Variant(""), db::adDouble).isNull());
  EXPECT_TRUE(convertToField(Variant(""), db::adVarWChar).isNull());
  EXPECT_TRUE(convertToField(Variant(), db::adVarWChar).isNull());
}

TEST(CellValuesTest, TextThatDoesNotConvertStaysForTheRulesToRefuse) {
  for (const auto& [text, type] : std::vector<std::pair<const char*, int>>{{"abc", db::adDouble},
                                                                           {"12.5", db::adDouble},
                                                                           {"1,5", db::adInteger},
                                                                           {"40000", db::adSmallInt},
                                                                           {"31/02/2024", db::adDate},
                                                                           {"forse", db::adBoolean}}) {
    const Variant v = convertToField(Variant(text), type);
    EXPECT_TRUE(v.isText()) << text;
    EXPECT_FALSE(grid::fitsField(v, type)) << text;
  }
  EXPECT_TRUE(grid::fitsField(Variant("l'altra"), db::adVarWChar));
  EXPECT_TRUE(grid::fitsField(Variant::null(), db::adDate));
}

TEST(CellValuesTest, SameValueComparesNumbersByValueAndTextIgnoringCase) {
  EXPECT_TRUE(grid::sameValue(Variant(std::int16_t(3)), Variant(3.0)));
  EXPECT_TRUE(grid::sameValue(Variant("KG"), Variant("kg")));
  EXPECT_FALSE(grid::sameValue(Variant::null(), Variant("")));
  EXPECT_TRUE(grid::sameValue(Variant::null(), Variant()));
  EXPECT_FALSE(grid::sameValue(Variant(1), Variant("2")));
}

}  // namespace
