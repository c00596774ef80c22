#include "CAppsFileReader.h"
#include "CAppsFileWriter.h"
#include "IoTesting.h"

#include <gtest/gtest.h>

#include <memory>
#include <tuple>

namespace {

using CAppsFiles = ScratchDirectoryTest;

std::unique_ptr<KESTRO::OutputStream> outputTo(const std::string& path) {
    auto stream = std::make_unique<KESTRO::FileOutputStream>();
    EXPECT_TRUE(stream->open(path.c_str()));
    return stream;
}

std::unique_ptr<KESTRO::InputStream> inputFrom(const std::string& path) {
    auto stream = std::make_unique<KESTRO::FileInputStream>();
    EXPECT_TRUE(stream->open(path.c_str()));
    return stream;
}

TEST_F(CAppsFiles, WhatTheWriterWritesTheReaderReads) {
    const std::string path = pathOf("data/bytes");
    CAppsFileWriter writer(outputTo(path), CAppsString(path.c_str()));
    EXPECT_TRUE(writer.writeByte(TUint8{0xfe}));
    EXPECT_TRUE(writer.writeByte(TInt8{-1}));
    EXPECT_TRUE(writer.writeByteBufferToFile(reinterpret_cast<const TUint8*>("abc"), 3));
    EXPECT_EQ(units(writer.fileName()), std::u16string(path.begin(), path.end()));
    writer.close();
    EXPECT_FALSE(writer.isOpen());

    CAppsFileReader reader(inputFrom(path));
    EXPECT_EQ(reader.size(), 5u);
    EXPECT_EQ((std::tuple{reader.readByte(), reader.readByte()}), (std::tuple{0xfe, 0xff}));
    TUint8 rest[3] = {};
    EXPECT_TRUE(reader.read(rest, 3));
    EXPECT_EQ(rest[2], 'c');
}

TEST(CAppsFileReader, ReadsACopyAndRefusesNegativePositions) {
    TUint8 bytes[] = {10, 11, 12, 13};
    CAppsFileReader reader(bytes, 4);
    bytes[0] = 99; // the reader holds a copy
    EXPECT_FALSE(reader.seek(-1));
    EXPECT_TRUE(reader.skip(2));
    EXPECT_EQ(reader.readByte(), 12);
    EXPECT_FALSE(reader.skip(-4));
    EXPECT_EQ(reader.position(), 3u);
    EXPECT_TRUE(reader.skip(-3));
    EXPECT_EQ(reader.readByte(), 10);
}

TEST(CAppsFileReaderAndWriter, WithoutAStreamTheyAnswerFalseAndZero) {
    CAppsFileReader reader;
    CAppsFileWriter writer;
    TUint8 byte = 0;
    EXPECT_FALSE(reader.read(&byte, 1) || reader.seek(0) || writer.writeByteBufferToFile(&byte, 1));
    EXPECT_EQ((std::tuple{reader.readByte(), writer.size()}), (std::tuple{0, 0u}));
}

TEST(CAppsFileWriterDeathTest, NegativeByteCountIsAnInternalError) {
    CAppsFileWriter writer;
    const TUint8 byte = 0;
    EXPECT_DEATH(writer.writeByteBufferToFile(&byte, -1), "aNumberOfBytes >= 0");
}

} // namespace
