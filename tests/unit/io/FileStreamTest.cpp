#include "IoTesting.h"
#include "Stream.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

namespace {

using FileStreams = ScratchDirectoryTest;

TEST_F(FileStreams, InputSeekReachesTheSizeButNotBeyondAndTheEndReadsMinusOne) {
    writeFile(pathOf("three"), "ab\xff");
    FailureCounting<KESTRO::FileInputStream> stream;
    ASSERT_TRUE(stream.open(pathOf("three").c_str()));
    ASSERT_TRUE(stream.seek(3));
    EXPECT_EQ(stream.readByte(), -1);
    ASSERT_TRUE(stream.seek(2));
    EXPECT_FALSE(stream.seek(4));
    EXPECT_EQ(stream.position(), 2u);
    EXPECT_EQ((std::tuple{stream.readByte(), stream.failures}), (std::tuple{0xff, 2}));
}

TEST_F(FileStreams, OutputSeekReachesTheSizeButNotBeyond) {
    KESTRO::FileOutputStream stream;
    ASSERT_TRUE(stream.open(pathOf("out").c_str()));
    ASSERT_TRUE(stream.write(reinterpret_cast<const TUint8*>("abcd"), 4));
    EXPECT_EQ((std::tuple{stream.seek(4), stream.seek(5), stream.position()}),
              (std::tuple{true, false, 4u}));
    ASSERT_TRUE(stream.seek(1));
    EXPECT_TRUE(stream.writeByte(0x158)); // only the low 8 bits count
    EXPECT_EQ(stream.size(), 4u);
    stream.close();
    EXPECT_EQ(readFile(pathOf("out")), "aXcd");
}

TEST_F(FileStreams, OutputOpenCreatesTheMissingDirectoryChain) {
    const std::string path = pathOf("a/b/c/file");
    KESTRO::FileOutputStream stream;
    ASSERT_TRUE(stream.open(path.c_str()));
    EXPECT_TRUE(stream.writeByte('z'));
    stream.close();
    EXPECT_EQ(readFile(path), "z");
}

TEST(FileStreamsWithoutFile, ARelativeOutputPathIsRefusedAndClosedStreamsAnswerFalseAndZero) {
    const char* relative = "kestro-relative-output-test";
    std::filesystem::remove(relative); // what a run that wrongly opened it left
    FailureCounting<KESTRO::FileOutputStream> output;
    EXPECT_FALSE(output.open(relative) || output.isOpen() || std::filesystem::exists(relative));
    EXPECT_EQ(output.failures, 1);
    EXPECT_FALSE(output.writeByte(1) || output.seek(0));
    EXPECT_EQ(output.size(), 0u);
    KESTRO::FileInputStream input;
    EXPECT_FALSE(input.seek(0));
    EXPECT_TRUE(input.atEnd());
}

} // namespace
