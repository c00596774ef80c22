#include "OString.h"
#include "TextTesting.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>
#include <utility>
#include <vector>

namespace {

// How a string keeps its text. What the string natives make of it (substrings, every n-th
// unit, edits with a string's own text, copies left as they were) is the strings
// programs' (tests/e2e/programs/strings).

TEST(OStringStorage, CapacityIsTwelveTenthsWithAMinimumOfTen) {
    for (const auto& [length, capacity] :
         {std::pair{0, 10}, std::pair{9, 10}, std::pair{10, 12}, std::pair{101, 121}})
        EXPECT_EQ(OString::capacityFor(length), capacity) << length;
    EXPECT_EQ(OString("0123456789").capacity(), 12);
}

TEST(OStringStorage, RemovalDownToHalfTheCapacityRebuildsASmallerBlock) {
    OString text("0123456789");
    text.removeStart(1);
    EXPECT_EQ(text.capacity(), 12) << "nine characters still fill more than half";
    text.removeEnd(6);
    EXPECT_EQ((std::tuple{latin1(text), text.capacity()}), (std::tuple{std::string("123"), 10}));
}

TEST(OStringStorage, EditsWithinCapacityStayInTheBlock) {
    OString text("abcdefghij");
    const char16_t* before = text.units();
    text.append(u'k');
    text.append(u'l');
    EXPECT_EQ(text.units(), before);
    text.append(u'm');
    EXPECT_NE(text.units(), before) << "thirteen characters need a larger block";
    EXPECT_EQ(text.capacity(), 15);
}

TEST(OStringStorage, AppendingPastTheBlockKeepsTheTextAndTheCapacityRule) {
    OString text("ab");
    OString snapshot;
    std::string expected = "ab";
    for (int i = 0; i < 20000; ++i) {
        const TInt32 capacity = text.capacity();
        text.append(OString(i % 2 == 0 ? "xyz" : "Q"));
        expected += i % 2 == 0 ? "xyz" : "Q";
        if (text.capacity() != capacity) {
            ASSERT_EQ(text.capacity(), OString::capacityFor(text.length())) << i;
        }
        if (i == 7000) snapshot = text; // shares the block, which must stay as it is
    }
    EXPECT_EQ(latin1(text), expected);
    EXPECT_EQ(latin1(snapshot), expected.substr(0, 2 + 3501 * 3 + 3500));
}

TEST(OStringStorage, EmptyResultDropsTheBlock) {
    OString text("abc");
    text.removeAll(OString("b"));
    text.remove({0, 1});
    EXPECT_TRUE(text.isEmpty() && text.units() == nullptr && text.outsideHeapSize() == 0);
}

TEST(OStringStorage, EveryEditOfACopyLeavesTheOriginalUnchanged) {
    const std::vector<std::function<void(OString&)>> edits = {
        [](OString& s) { s.append(u'!'); },
        [](OString& s) { s.insertTo(1, OString("xy")); },
        [](OString& s) { s.removeAt(0); },
        [](OString& s) { s.replaceAll(OString("b"), OString("BB")); },
        [](OString& s) { s.makeUpperCase(); },
        [](OString& s) { s.trim(); },
        [](OString& s) { s.repeat(2); },
        [](OString& s) { s.clear(); },
    };
    for (const auto& edit : edits) {
        const OString original("  ab  cb ");
        OString copy(original);
        EXPECT_TRUE(copy.sharesTextWith(original));
        edit(copy);
        EXPECT_EQ(latin1(original), "  ab  cb ");
        EXPECT_FALSE(copy.sharesTextWith(original));
    }
}

TEST(OStringStorage, ConstructionVariants) {
    EXPECT_EQ(OString("\xe9").at(0), 0xE9) << "bytes are Latin-1";
    EXPECT_EQ(latin1(OString("abcdef", 3)), "abc");
    EXPECT_EQ(latin1(OString::filled(u'x', 3)), "xxx");
    EXPECT_TRUE(OString::filled(u'x', 0).isEmpty());
    EXPECT_EQ(raisedCode([] { OString::filled(u'x', -1); }), EInvalidArgument);
}

TEST(OStringStorage, AtRaisesIndexOutOfBounds) {
    const OString text("ab");
    EXPECT_EQ(text.at(1), u'b');
    for (const TInt32 outside : {2, -1})
        EXPECT_EQ(raisedCode([&] { text.at(outside); }), EIndexOutOfBounds) << outside;
}

} // namespace
