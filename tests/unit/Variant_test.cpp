#include "core/PlatformError.h"
#include "core/Skip.h"
#include "core/Variant.h"

#include <gtest/gtest.h>

using namespace hl;

TEST(Variant, NullPropagatesThroughArithmetic) {
    EXPECT_TRUE(Add(Variant::Null(), 5).IsNull());
    EXPECT_TRUE(Add(Variant("2147483648"), Variant::Null()).IsNull());
    EXPECT_TRUE(Subtract(Variant::Null(), 1).IsNull());
    EXPECT_TRUE(Multiply(3, Variant::Null()).IsNull());
    EXPECT_TRUE(Divide(Variant::Null(), 1024).IsNull());
    EXPECT_TRUE(IntDivide(Variant::Null(), 1024).IsNull());
}

TEST(Variant, JoinsTreatNullAsEmptyButAssigningNullToTextFails) {
    EXPECT_EQ(Variant::Null().JoinText(), "");
    EXPECT_THROW(Variant::Null().Text(), PlatformError);
    EXPECT_THROW(Variant::Null().Trimmed(), PlatformError);
    EXPECT_EQ(Variant().Text(), "");
    EXPECT_EQ(Variant(true).Text(), "True");
    EXPECT_EQ(Variant(false).Text(), "False");
    EXPECT_EQ(Variant("  WORKGROUP  ").Trimmed(), "WORKGROUP");
}

TEST(Variant, FailedConversionsFail) {
    EXPECT_THROW(Variant("abc").ToInt64(), PlatformError);
    EXPECT_THROW(Variant("12abc").ToDouble(), PlatformError);
    EXPECT_THROW(Variant("").ToInt32(), PlatformError);
    EXPECT_THROW(Variant::Null().ToInt32(), PlatformError);
    EXPECT_THROW(Variant("4294967296").ToInt32(), PlatformError);
    EXPECT_THROW(Add(Variant("not a number"), 1), PlatformError);
    EXPECT_EQ(Variant(" 80 ").ToInt32(), 80);
    EXPECT_EQ(Variant("-1").ToInt32(), -1);
}

TEST(Variant, TextDigitStringsAddAsNumbers) {
    Variant total = 0;
    total = Add(total, Variant("2147483648"));
    total = Add(total, Variant("2147483648"));
    EXPECT_EQ(total.Text(), "4294967296");
}

TEST(Variant, IntegerDivisionTruncatesTowardZero) {
    EXPECT_EQ(IntDivide(Variant(7), Variant(2)).ToInt64(), 3);
    EXPECT_EQ(IntDivide(Variant(-7), Variant(2)).ToInt64(), -3);
    EXPECT_EQ(IntDivide(Variant("1572864"), Variant(1024)).ToInt64(), 1536);
    EXPECT_THROW(IntDivide(Variant(1), Variant(0)), PlatformError);
}

TEST(Variant, RoundingIsHalfToEven) {
    EXPECT_EQ(RoundHalfEven(20.5), 20);
    EXPECT_EQ(RoundHalfEven(21.5), 22);
    EXPECT_EQ(RoundHalfEven(165.75), 166);
    EXPECT_EQ(RoundHalfEven(-0.5), 0);
    EXPECT_EQ(Variant(2.5).ToInt64(), 2);
    EXPECT_EQ(Variant(3.5).ToInt64(), 4);
}

TEST(Variant, NumberTextUsesFifteenDigitsAndTheRegionalSeparator) {
    EXPECT_EQ(NumberText(1536.0 / 1024), "1.5");
    EXPECT_EQ(NumberText(100.0), "100");
    EXPECT_EQ(Left(NumberText(80026361856.0 / 1024 / 1024 / 1024), 5), "74.53");
    EXPECT_EQ(Left(NumberText(80026361856.0 / 1024 / 1024 / 1024, ","), 5), "74,53");
    EXPECT_EQ(NumberText(9999.0 / 1024), "9.7646484375");
    EXPECT_EQ(NumberText(1.0 / 3), "0.333333333333333");
}

TEST(Variant, NumericComparisonNeverMatchesAnEmptyValue) {
    EXPECT_TRUE(NumericEquals(Variant(2394), Variant("2394")));
    EXPECT_FALSE(NumericEquals(Variant(2394), Variant("")));
    EXPECT_FALSE(NumericEquals(Variant(2394), Variant::Null()));
    EXPECT_TRUE(NumericEquals(Variant("4"), Variant(4.0)));
}

TEST(Skip, SwallowsOnlyThePlatformFailureAndKeepsTheTarget) {
    std::string target = "before";
    Skip([&] { target = Variant::Null().Trimmed(); });
    EXPECT_EQ(target, "before");
    EXPECT_THROW(Skip([] { throw std::logic_error("a bug, not a platform failure"); }),
                 std::logic_error);
}
