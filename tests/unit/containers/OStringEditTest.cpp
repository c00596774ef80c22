#include "OString.h"
#include "TextTesting.h"

#include <gtest/gtest.h>

namespace {

TEST(OStringEdit, InsertChecksThePartThenTheIndex) {
    OString text("ad");
    text.insertTo(1, OString("xbcx"), {1, 2});
    EXPECT_EQ(latin1(text), "abcd");
    text.insertTo(4, u'e');
    text.prepend(OString(">"));
    EXPECT_EQ(latin1(text), ">abcde");
    EXPECT_EQ(raisedCode([&] { text.insertTo(7, u'x'); }), EIndexOutOfBounds);
    EXPECT_EQ(raisedCode([&] { text.insertTo(0, OString("ab"), {1, 2}); }), ERange);
    EXPECT_EQ(raisedCode([&] { text.insertTo(99, OString()); }), 0) << "an empty part does nothing";
}

TEST(OStringEdit, RepeatReplacesByCopies) {
    OString text("ab");
    text.repeat(3);
    EXPECT_EQ(latin1(text), "ababab");
    EXPECT_EQ(raisedCode([&] { text.repeat(-1); }), EInvalidArgument);
    text.repeat(0);
    EXPECT_TRUE(text.isEmpty());
}

TEST(OStringEdit, ReplaceRange) {
    OString text("abcdef");
    text.replace({1, 3}, OString("X"));
    EXPECT_EQ(latin1(text), "aXef");
    text.replace(TextRange::empty(), OString("never"));
    text.replace({3, 3}, u'F');
    EXPECT_EQ(latin1(text), "aXeF");
    text.replace({0, 1}, OString());
    EXPECT_EQ(latin1(text), "eF");
}

TEST(OStringEdit, ReplaceFirstLastAndAll) {
    OString text("a-b-c-d");
    text.replaceFirst(OString("-"), OString("+"));
    text.replaceLast(OString("-"), u'=');
    EXPECT_EQ(latin1(text), "a+b-c=d");
    text.replaceAll(OString("-"), OString("--"), {0, 2});
    EXPECT_EQ(latin1(text), "a+b-c=d") << "the range ends before the dash";
    text.replaceAll(OString("B"), OString("bb"), {}, false);
    EXPECT_EQ(latin1(text), "a+bb-c=d");
}

TEST(OStringEdit, ReplaceAllDoesNotSearchTheInsertedText) {
    OString text("aaa");
    text.replaceAll(OString("aa"), OString("aaa"));
    EXPECT_EQ(latin1(text), "aaaa");
    text.replaceAll(OString(), OString("x"));
    EXPECT_EQ(latin1(text), "aaaa");
}

TEST(OStringEdit, RemoveOccurrences) {
    OString text("xaxbxcx");
    text.removeFirst(u'x');
    text.removeLast(OString("X"), {}, false);
    EXPECT_EQ(latin1(text), "axbxc");
    text.removeAll(u'x', {0, 2});
    EXPECT_EQ(latin1(text), "abxc");
    text.removeAll(OString("x"));
    EXPECT_EQ(latin1(text), "abc");
    EXPECT_EQ(raisedCode([&] {
                  text.removeFirst(OString(), {2, 5});
              }),
              ERange)
        << "the range is checked even for an empty pattern";
}

TEST(OStringEdit, RemoveByPosition) {
    OString text("abcdef");
    text.removeAt(2);
    text.remove({0, 0});
    text.remove(TextRange::empty());
    EXPECT_EQ(latin1(text), "bdef");
    text.removeStart(1);
    text.removeEnd(2);
    EXPECT_EQ(latin1(text), "d");
    EXPECT_EQ(raisedCode([&] { text.removeAt(1); }), EIndexOutOfBounds);
    EXPECT_EQ(raisedCode([&] { text.removeStart(2); }), EInvalidArgument);
    EXPECT_EQ(raisedCode([&] { text.removeEnd(-1); }), EInvalidArgument);
    text.clear();
    EXPECT_EQ(raisedCode([&] { text.removeStart(1); }), EInvalidArgument);
}

TEST(OStringEdit, TrimsAtEitherEnd) {
    OString text(" \t a b \n");
    text.trimStart();
    EXPECT_EQ(latin1(text), "a b \n");
    text.trimEnd();
    EXPECT_EQ(latin1(text), "a b");
}

TEST(OStringEdit, TrimCollapsesInnerRunsToTheirFirstCharacter) {
    OString text(" \ta \t\tb\t  c  ");
    text.trim();
    EXPECT_EQ(latin1(text), "a b\tc");
    OString blank(" \t\n ");
    blank.trim();
    EXPECT_TRUE(blank.isEmpty());
}

TEST(OStringEdit, CaseMappingCoversLatin1) {
    OString text("Ab\xe9\xc9-1");
    text.makeUpperCase();
    EXPECT_EQ(latin1(text), "AB\xc9\xc9-1");
    text.makeLowerCase();
    EXPECT_EQ(latin1(text), "ab\xe9\xe9-1");
}

} // namespace
