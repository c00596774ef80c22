#include "ErrorHandling.h"
#include "TextTesting.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

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

// The text is the code's name, then the message; codes without a name are unknown.
TEST(ErrorHandling, TextIsNameThenMessage) {
    const std::tuple<TInt32, const char*, const char*> cases[] = {
        {1, "NULL pointer", "NullPointerException: NULL pointer"},
        {3, "", "DivisionByZeroException"},
        {4, "bad", "DataFormatException: : bad"},
        {13, "x", "UnsupportedFeatureException: x"},
        {42, "", "UnknownException (CODE:42)"},
        {11, "", "UnknownException (CODE:11)"},
        {-7, "m", "UnknownException (CODE:-7): m"},
    };
    for (const auto& [code, message, text] : cases)
        EXPECT_EQ(raised(code, message), std::make_pair(code, std::string(text)));
}

TEST(ErrorHandling, FatalMachineErrorLeavesCode11WithoutItsDescription) {
    try {
        raiseFatalMachineError("'main' not found");
        FAIL();
    } catch (const ErrorHandlingException&) {
        EXPECT_EQ(std::pair(lastErrorCode(), latin1(lastErrorMessage())),
                  std::pair(11, std::string("UnknownException (CODE:11)")));
    }
}

TEST(ErrorHandling, ClearEmptiesTheRecordAndNextErrorReplacesIt) {
    raised(5, "first");
    clearLastError();
    EXPECT_EQ(std::pair(lastErrorCode(), latin1(lastErrorMessage())), std::pair(0, std::string()));
    raised(6, "a");
    raised(7, "b");
    EXPECT_EQ(std::pair(lastErrorCode(), latin1(lastErrorMessage())),
              std::pair(7, std::string("IOException: b")));
}

} // namespace
