// The native groups' tables: each function listed once, named so that the assembler can
// spell it, and found by number and by name.
#include "NativeGroups.h"

#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>

namespace {

bool isIdentifier(const std::string& name) {
    if (name.empty() || !std::isalpha(static_cast<unsigned char>(name[0]))) return false;
    for (const char c : name)
        if (!std::isalnum(static_cast<unsigned char>(c))) return false;
    return true;
}

TEST(NativeTables, EveryFunctionIsListedOnceAndFoundByNumberAndName) {
    int functions = 0;
    for (TInt32 group = -1; group <= 40; ++group) {
        const NativeGroupInfo info = nativeGroupInfo(group);
        if (!info.name) {
            EXPECT_TRUE(info.functions.empty()) << group;
            EXPECT_EQ(findNative(group, 1), nullptr) << group;
            continue;
        }
        std::set<TInt32> numbers;
        std::set<std::string> names;
        for (const NativeFunction& function : info.functions) {
            SCOPED_TRACE(std::string(info.name) + " " + std::to_string(function.number));
            EXPECT_TRUE(numbers.insert(function.number).second) << "listed twice";
            EXPECT_TRUE(names.insert(function.name).second) << "name used twice";
            EXPECT_TRUE(isIdentifier(function.name)) << function.name;
            EXPECT_NE(function.handler, nullptr);
            EXPECT_EQ(findNative(group, function.number), &function);
            // Function bytes 128 to 255 arrive sign-extended.
            EXPECT_EQ(findNative(group, static_cast<TInt8>(function.number)), &function);
            EXPECT_EQ(findNativeNamed(group, function.name), &function);
            ++functions;
        }
        for (TInt32 number = 0; number < 256; ++number) {
            if (!numbers.count(number)) {
                EXPECT_EQ(findNative(group, number), nullptr);
            }
        }
        EXPECT_EQ(findNativeNamed(group, "noSuchFunction"), nullptr);
    }
    EXPECT_GE(functions, 500);
}

} // namespace
