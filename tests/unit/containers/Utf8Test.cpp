#include "Utf8.h"
#include "OString.h"
#include "TextTesting.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Malformed input and its empty message, surrogate halves and the empty text are the
// encoders program's (tests/e2e).

TInt32 lengthOf(const std::vector<TUint8>& bytes) {
    return Utf8::sequenceLength(bytes.data(), static_cast<TInt32>(bytes.size()), 0);
}

std::vector<TUint8> encoded(const OString& text) {
    const Vec<TUint8> bytes = text.toUtf8();
    return {bytes.begin(), bytes.end()};
}

TEST(Utf8, LeadBytes) {
    EXPECT_EQ(lengthOf({0x7F}), 1);
    for (const TUint8 lead : {0x80, 0xBF, 0xC0, 0xC1, 0xF5, 0xFF})
        EXPECT_EQ(lengthOf({lead, 0x80, 0x80, 0x80}), 0) << int(lead);
    EXPECT_EQ(lengthOf({0xC2, 0x80}), 2);
    EXPECT_EQ(lengthOf({0xDF, 0xBF}), 2);
    EXPECT_EQ(lengthOf({0xEF, 0xBF, 0xBF}), 3);
    EXPECT_EQ(lengthOf({0xF3, 0xBF, 0xBF, 0xBF}), 4);
}

TEST(Utf8, SecondByteRangesAfterRestrictedLeads) {
    struct Case {
        TUint8 lead, low, high;
    };
    for (const Case c : {Case{0xC2, 0x80, 0xBF}, Case{0xE0, 0xA0, 0xBF}, Case{0xE1, 0x80, 0xBF},
                         Case{0xED, 0x80, 0x9F}, Case{0xF0, 0x90, 0xBF}, Case{0xF4, 0x80, 0x8F}}) {
        const TInt32 length = c.lead < 0xE0 ? 2 : c.lead < 0xF0 ? 3 : 4;
        for (const TUint8 second : {c.low, c.high})
            EXPECT_EQ(lengthOf({c.lead, second, 0x80, 0x80}), length) << int(c.lead);
        for (const int second : {c.low - 1, c.high + 1})
            EXPECT_EQ(lengthOf({c.lead, TUint8(second), 0x80, 0x80}), 0) << int(c.lead);
    }
}

TEST(Utf8, LaterBytesAndTruncation) {
    EXPECT_EQ(lengthOf({0xE1, 0x80, 0xC0}), 0);
    EXPECT_EQ(lengthOf({0xF1, 0x80, 0x80, 0x7F}), 0);
    EXPECT_EQ(lengthOf({0xE1, 0x80}), 0);
    EXPECT_EQ(lengthOf({0xF1, 0x80, 0x80}), 0);
    const TUint8 bytes[] = {0x41, 0xC3, 0xA9};
    EXPECT_EQ(Utf8::sequenceLength(bytes, 3, 1), 2);
    EXPECT_EQ(Utf8::sequenceLength(bytes, 2, 1), 0) << "cut off by the count";
    EXPECT_EQ(Utf8::sequenceLength(bytes, 3, 3), 0);
}

TEST(Utf8, DecodeGivesOneUnitPerCodePoint) {
    const TUint8 bytes[] = {0x41, 0xC3, 0xA9, 0xE2, 0x82, 0xAC, 0xF0, 0x9F, 0x98, 0x80};
    const OString text = OString::fromUtf8(bytes, 10);
    EXPECT_EQ(text.view(), std::u16string_view(u"A\u00e9\u20ac\uf600")) << "U+1F600 keeps 0xF600";
    EXPECT_TRUE(OString::fromUtf8(nullptr, 0).isEmpty());
}

TEST(Utf8, EncodeEachUnitByItself) {
    EXPECT_EQ(encoded(OString(u"\u007f\u0080")), (std::vector<TUint8>{0x7F, 0xC2, 0x80}));
    EXPECT_EQ(encoded(OString(u"\u07ff\u0800")),
              (std::vector<TUint8>{0xDF, 0xBF, 0xE0, 0xA0, 0x80}));
}

} // namespace
