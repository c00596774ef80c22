#include "OString.h"
#include "TextSearch.h"
#include "TextTesting.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(TextRange, OfCountTurnsFirstAndCountIntoInclusiveBounds) {
    EXPECT_EQ(TextRange::ofCount(2, 3).to, 4);
    EXPECT_EQ(TextRange::ofCount(2, -1).to, TextRange::ToEnd);
    EXPECT_EQ(TextRange::ofCount(0, 0).to, -1) << "the empty range";
    EXPECT_EQ(TextRange::ofCount(5, 0x7fffffff).to, 0x7fffffff) << "no overflow";
}

TEST(OStringSearch, FindsTheLowestAndHighestMatch) {
    const OString text("abcabcab");
    EXPECT_EQ(text.indexOf(OString("ca")), 2);
    EXPECT_EQ(text.lastIndexOf(OString("ca")), 5);
    EXPECT_EQ(text.indexOf(u'b'), 1);
    EXPECT_EQ(text.lastIndexOf(u'b'), 7);
    EXPECT_EQ(text.indexOf(OString("cb")), -1);
}

TEST(OStringSearch, SearchStaysInsideTheRange) {
    const OString text("abcabcab");
    EXPECT_EQ(text.indexOf(OString("ab"), {1, 4}), 3);
    EXPECT_EQ(text.indexOf(OString("ab"), {1, 3}), -1) << "the match would end past the range";
    EXPECT_EQ(text.lastIndexOf(u'a', {0, 5}), 3);
    EXPECT_EQ(text.lastIndexOf(OString("abc"), {2}), 3);
}

TEST(OStringSearch, EmptyPatternOrEmptyRangeMisses) {
    const OString text("abc");
    EXPECT_EQ(text.indexOf(OString()), -1);
    EXPECT_EQ(text.lastIndexOf(OString()), -1);
    EXPECT_EQ(text.indexOf(u'a', TextRange::empty()), -1);
    EXPECT_EQ(OString().indexOf(u'a'), -1);
}

TEST(OStringSearch, InvalidRangeRaisesRangeException) {
    const OString text("abc");
    EXPECT_EQ(raisedCode([&] { text.indexOf(u'a', TextRange::ofCount(1, 0)); }), ERange);
    EXPECT_EQ(raisedCode([&] { text.indexOf(OString(), {0, 3}); }), ERange);
    EXPECT_EQ(raisedCode([&] { text.count(u'a', {3}); }), ERange);
}

TEST(OStringSearch, CaseFlagFoldsBothSides) {
    const OString text("xABcab");
    EXPECT_EQ(text.indexOf(OString("ab"), {}, false), 1);
    EXPECT_EQ(text.indexOf(OString("ab"), {}, true), 4);
    EXPECT_EQ(text.lastIndexOf(u'B', {}, false), 5);
    EXPECT_EQ(text.count(OString("AB"), {}, false), 2);
}

TEST(OStringSearch, CountDoesNotOverlapMatches) {
    EXPECT_EQ(OString("aaaaa").count(OString("aa")), 2);
    EXPECT_EQ(OString("aaaaa").count(u'a', {1, 3}), 3);
    EXPECT_EQ(OString("abc").count(OString()), 0);
}

std::vector<TInt32> occurrences(std::u16string_view text, std::u16string_view pattern,
                                bool caseSensitive = true, TInt32 from = 0) {
    std::vector<TInt32> starts;
    TextSearch::Finder(pattern, caseSensitive).forEach(text, from, [&](TInt32 at) {
        starts.push_back(at);
    });
    return starts;
}

TEST(TextSearch, OccurrencesAreTheStartsOfNonOverlappingMatches) {
    EXPECT_EQ(occurrences(u"aaaaa", u"aa"), (std::vector<TInt32>{0, 2}));
    EXPECT_EQ(occurrences(u"aaaaa", u"aa", false), (std::vector<TInt32>{0, 2}));
    EXPECT_EQ(occurrences(u"aaaaa", u"aa", true, 1), (std::vector<TInt32>{1, 3}));
    EXPECT_EQ(occurrences(u"xABcab", u"ab", false), (std::vector<TInt32>{1, 4}));
    EXPECT_EQ(occurrences(u"xABcab", u"aB", false, 2), (std::vector<TInt32>{4}));
    EXPECT_EQ(occurrences(u"xABcab", u"ab"), (std::vector<TInt32>{4}));
    EXPECT_EQ(occurrences(u"a,b,c", u",", true, 4), (std::vector<TInt32>{}));
    EXPECT_EQ(occurrences(u"a,b,c", u",", false, 5), (std::vector<TInt32>{}));
    EXPECT_EQ(occurrences(u"xyZ", u"z", false), (std::vector<TInt32>{2}));
    EXPECT_TRUE(occurrences(u"xyZ", u"z").empty());
    EXPECT_TRUE(occurrences(u"", u"a").empty());
    EXPECT_TRUE(occurrences(u"ab", u"abc").empty());
    EXPECT_TRUE(occurrences(u"ab", u"abc", false).empty());
    EXPECT_TRUE(occurrences(u"abab", u"ab", false, 3).empty());
}

TEST(TextSearch, OutsideAsciiTheCharacterTablesDecide) {
    EXPECT_EQ(occurrences(u"x\u00c4B\u00e4b", u"\u00e4b", false), (std::vector<TInt32>{1, 3}));
    EXPECT_EQ(occurrences(u"x\u00c4B\u00e4b", u"\u00e4b"), (std::vector<TInt32>{3}));
}

TEST(OStringSearch, StartsAndEndsWith) {
    const OString text("Hello");
    EXPECT_TRUE(text.startsWith(OString("He")));
    EXPECT_FALSE(text.startsWith(OString("he")));
    EXPECT_TRUE(text.startsWith(OString("he"), false));
    EXPECT_TRUE(text.endsWith(OString("LO"), false));
    EXPECT_FALSE(text.endsWith(OString("xHello")));
    EXPECT_FALSE(text.startsWith(OString()));
    EXPECT_FALSE(OString().endsWith(OString()));
}

TEST(OStringCompare, FirstDifferenceThenLengthDecides) {
    EXPECT_LT(OString("abc").compare(OString("ABD"), false), 0);
    EXPECT_GT(OString("abc").compare(OString("ABD"), true), 0);
    EXPECT_EQ(OString("ab").compare(OString("abcd")), -2);
    EXPECT_EQ(OString("b").compare(OString("a")), 1);
    EXPECT_EQ(OString().compare(OString()), 0);
}

TEST(OStringCompare, RangeAgainstWholeString) {
    const OString text("xxAbcxx");
    EXPECT_EQ(text.compare({2, 4}, OString("abc"), false), 0);
    EXPECT_LT(text.compare({2, 4}, OString("abc"), true), 0);
    EXPECT_EQ(text.compare(TextRange::empty(), OString("abc")), -3);
    EXPECT_EQ(raisedCode([&] { text.compare({5, 9}, OString("a")); }), ERange);
}

TEST(OStringCompare, EqualityAndRegionEquality) {
    EXPECT_TRUE(OString("aBc") == OString("aBc"));
    EXPECT_FALSE(OString("aBc") == OString("abc"));
    EXPECT_TRUE(OString("aBc").equals(OString("AbC"), false));
    EXPECT_TRUE(OString() == OString(""));
    const OString text("xyHixy");
    EXPECT_TRUE(text.regionEquals({2, 3}, OString("hi"), false));
    EXPECT_FALSE(text.regionEquals({2, 3}, OString("hi"), true));
    EXPECT_FALSE(text.regionEquals({2, 4}, OString("hi"), false)) << "lengths differ";
    EXPECT_FALSE(text.regionEquals(TextRange::empty(), OString()));
}

} // namespace
