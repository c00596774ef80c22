#include "IoTesting.h"
#include "Stream.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using FileStreams = ScratchDirectoryTest;

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
