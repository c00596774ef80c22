#include "OString.h"
#include "TextTesting.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(OStringNumber, DecimalText) {
    EXPECT_EQ(latin1(OString::number(0)), "0");
    EXPECT_EQ(latin1(OString::number(-305)), "-305");
    EXPECT_EQ(latin1(OString::number(std::numeric_limits<TInt32>::min())), "-2147483648");
    EXPECT_EQ(latin1(OString::number(std::numeric_limits<TInt64>::min())), "-9223372036854775808");
}

TEST(OStringNumber, RadixTextIsUnsignedLowerCase) {
    EXPECT_EQ(latin1(OString::numberInRadix(static_cast<TUint32>(-1), 16)), "ffffffff");
    EXPECT_EQ(latin1(OString::numberInRadix(255, 16)), "ff");
    EXPECT_EQ(latin1(OString::numberInRadix(5, 2)), "101");
    EXPECT_EQ(latin1(OString::numberInRadix(71, 36)), "1z");
    EXPECT_EQ(latin1(OString::numberInRadix(0, 8)), "0");
    EXPECT_TRUE(OString::numberInRadix(10, 37).isEmpty());
    EXPECT_TRUE(OString::numberInRadix(10, 1).isEmpty());
}

TEST(OStringNumber, DecimalParse) {
    EXPECT_EQ(OString("  -12abc").toInt(), -12);
    EXPECT_EQ(OString("+-0").toInt(), 0);
    EXPECT_EQ(OString("\t+7").toInt(), 7);
    EXPECT_EQ(OString("2147483648").toInt(), std::numeric_limits<TInt32>::min()) << "wraps";
    EXPECT_EQ(raisedCode([] { OString("abc").toInt(); }), EDataFormat);
    EXPECT_EQ(raisedCode([] { OString().toInt(); }), EDataFormat);
    EXPECT_EQ(raisedCode([] { OString("- 1").toInt(); }), EDataFormat);
}

TEST(OStringNumber, RadixParseTakesNoSign) {
    EXPECT_EQ(OString("ff").toInt(16), 255);
    EXPECT_EQ(OString(" Zz").toInt(36), 35 * 36 + 35);
    EXPECT_EQ(OString("1012").toInt(2), 5) << "2 is no binary digit";
    EXPECT_EQ(OString("100000000").toInt(16), 0) << "wraps";
    EXPECT_EQ(raisedCode([] { OString("-ff").toInt(16); }), EDataFormat);
    EXPECT_EQ(raisedCode([] { OString("1").toInt(37); }), EInvalidArgument);
    EXPECT_EQ(raisedCode([] { OString("1").toInt(1); }), EInvalidArgument);
}

TEST(OStringNumber, Uint64ParseReportsWhetherAllWasRead) {
    bool ok = false;
    EXPECT_EQ(OString(" ffffffffffffffff").toUint64(16, ok), ~TUint64{0});
    EXPECT_TRUE(ok);
    EXPECT_EQ(OString("10000000000000000").toUint64(16, ok), TUint64{0x1000000000000000});
    EXPECT_FALSE(ok) << "the seventeenth digit overflows";
    EXPECT_EQ(OString("12x").toUint64(10, ok), 12u);
    EXPECT_FALSE(ok);
    EXPECT_EQ(OString("  ").toUint64(10, ok), 0u);
    EXPECT_FALSE(ok);
    EXPECT_EQ(raisedCode([&] { OString("1").toUint64(0, ok); }), EInvalidArgument);
}

} // namespace
