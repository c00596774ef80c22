#include "ErrorHandling.h"
#include "TextTesting.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Raises and returns the code and text left in the last-error record.
std::pair<TInt32, std::string> raised(TInt32 code, const char* message) {
    try {
        throwError(code, message);
    } catch (const ErrorHandlingException&) {
        return {lastErrorCode(), latin1(lastErrorMessage())};
    }
    ADD_FAILURE() << "throwError returned";
    return {};
}

TEST(ErrorHandling, TextIsNameThenMessage) {
    EXPECT_EQ(raised(1, "NULL pointer"),
              std::make_pair(1, std::string("NullPointerException: NULL pointer")));
    EXPECT_EQ(raised(3, ""), std::make_pair(3, std::string("DivisionByZeroException")));
    EXPECT_EQ(raised(4, "bad"), std::make_pair(4, std::string("DataFormatException: : bad")));
    EXPECT_EQ(raised(13, "x"), std::make_pair(13, std::string("UnsupportedFeatureException: x")));
}

TEST(ErrorHandling, UnnamedCodesGetTheUnknownText) {
    EXPECT_EQ(raised(42, ""), std::make_pair(42, std::string("UnknownException (CODE:42)")));
    EXPECT_EQ(raised(11, ""), std::make_pair(11, std::string("UnknownException (CODE:11)")));
    EXPECT_EQ(raised(-7, "m"), std::make_pair(-7, std::string("UnknownException (CODE:-7): m")));
}

TEST(ErrorHandling, FatalMachineErrorLeavesCode11WithoutItsDescription) {
    try {
        raiseFatalMachineError("'main' not found");
        FAIL();
    } catch (const ErrorHandlingException&) {
        EXPECT_EQ(lastErrorCode(), 11);
        EXPECT_EQ(latin1(lastErrorMessage()), "UnknownException (CODE:11)");
    }
}

TEST(ErrorHandling, ClearEmptiesTheRecordAndNextErrorReplacesIt) {
    raised(5, "first");
    clearLastError();
    EXPECT_EQ(lastErrorCode(), 0);
    EXPECT_TRUE(lastErrorMessage().isEmpty());
    raised(6, "a");
    raised(7, "b");
    EXPECT_EQ(lastErrorCode(), 7);
    EXPECT_EQ(latin1(lastErrorMessage()), "IOException: b");
}

} // namespace
