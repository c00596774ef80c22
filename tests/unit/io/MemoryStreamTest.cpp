#include "IoTesting.h"
#include "Stream.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {

std::vector<unsigned char> items(const Vec<unsigned char>& bytes) {
    return {bytes.begin(), bytes.end()};
}

Vec<unsigned char> vecOf(std::initializer_list<unsigned char> values) {
    Vec<unsigned char> bytes;
    for (const unsigned char value : values)
        bytes.append(value);
    return bytes;
}

TEST(MemoryInputStream, ReadingPastTheEndFailsGivesZeroAndLeavesThePositionAtTheEnd) {
    FailureCounting<KESTRO::MemoryInputStream> stream(std::vector<TUint8>{1, 2, 3, 4, 5});
    TUint8 buffer[4] = {};
    ASSERT_TRUE(stream.read(buffer, 2));
    EXPECT_FALSE(stream.read(buffer, 4));
    EXPECT_EQ((std::tuple{stream.position(), stream.atEnd()}), (std::tuple{5u, true}));
    EXPECT_EQ((std::tuple{stream.readByte(), stream.failures}), (std::tuple{0, 2}));
}

TEST(MemoryOutputStream, OverwritesAtThePositionAndAppendsAtTheEnd) {
    Vec<unsigned char> bytes = vecOf({1, 2, 3});
    KESTRO::MemoryOutputStream stream(bytes);
    ASSERT_TRUE(stream.seek(1));
    const TUint8 data[] = {9, 8, 7};
    EXPECT_TRUE(stream.write(data, 3));
    EXPECT_EQ(items(bytes), (std::vector<unsigned char>{1, 9, 8, 7}));
    EXPECT_EQ(stream.position(), 4u);
    ASSERT_TRUE(stream.seek(4));
    EXPECT_TRUE(stream.writeByte(4));
    EXPECT_EQ(items(bytes), (std::vector<unsigned char>{1, 9, 8, 7, 4}));
}

TEST(MemoryOutputStream, WritingBeyondTheSizeFailsAndChangesNothing) {
    Vec<unsigned char> bytes = vecOf({1, 2, 3});
    FailureCounting<KESTRO::MemoryOutputStream> stream(bytes);
    EXPECT_FALSE(stream.seek(4));
    const TUint8 data[] = {9};
    EXPECT_FALSE(stream.write(data, 1));
    EXPECT_EQ(items(bytes), (std::vector<unsigned char>{1, 2, 3}));
    EXPECT_EQ(stream.failures, 2);
}

TEST(MemoryOutputStream, CloseDeletesOnlyItsOwnVector) {
    KESTRO::MemoryOutputStream own;
    ASSERT_TRUE(own.writeByte(0x1ff));
    EXPECT_EQ(items(*own.bytes()), (std::vector<unsigned char>{0xff}));
    own.close();
    EXPECT_FALSE(own.bytes() || own.writeByte(1));

    Vec<unsigned char> kept = vecOf({5});
    KESTRO::MemoryOutputStream borrowed(kept);
    borrowed.close();
    EXPECT_FALSE(borrowed.isOpen());
    EXPECT_EQ(items(kept), (std::vector<unsigned char>{5}));
}

} // namespace
