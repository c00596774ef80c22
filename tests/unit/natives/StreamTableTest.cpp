// Stream holders: the record in the heap names its holder only while it is the record the
// holder was filed for and its words are intact; freeing the record, however damaged its
// words, deletes the stream, and freeing anything else deletes nothing.
#include "StreamTable.h"
#include "CountedStreams.h"
#include "ErrorHandling.h"
#include "HeapEntry.h"
#include "TextTesting.h"
#include "VMHeap.h"

#include <gtest/gtest.h>

#include <memory>
#include <tuple>
#include <vector>

namespace {

struct StreamTableTest : ::testing::Test {
    StreamTableTest() { heap.setStreamHolderFinaliser(&streams); }

    template <class Counted = CountedInput> TVMAddress addReader() {
        return streams.add(std::make_unique<StreamHolder>(std::make_unique<Counted>(deleted)));
    }
    TVMAddress addWriter() { return addReader<CountedOutput>(); }
    TUint32 word(TVMAddress record, StreamHolder::Word which) {
        return space.load32(record + which);
    }
    void setWord(TVMAddress record, StreamHolder::Word which, TUint32 value) {
        space.store32(record + which, value);
    }

    int deleted = 0;
    AddressSpace space;
    VMHeap heap{space, nullptr};
    StreamTable streams{heap};
};

TEST_F(StreamTableTest, ARecordHoldsTheTypeIdAndTheHandleInAStreamHolderBlock) {
    const TVMAddress reader = addReader();
    const TVMAddress writer = addWriter();
    const HeapEntry entry = heap.entry(headerOf(reader));
    EXPECT_EQ((std::tuple{entry.gcCode, entry.actualSize}),
              (std::tuple{GC_CODE_STREAM_HOLDER, StreamHolder::kRecordBytes}));
    EXPECT_EQ(
        (std::tuple{word(reader, StreamHolder::ETypeId), word(writer, StreamHolder::ETypeId)}),
        (std::tuple{5u, 6u}));
    const TUint32 handle = word(reader, StreamHolder::EStreamHandle);
    EXPECT_TRUE(handle != 0 && handle != word(writer, StreamHolder::EStreamHandle));
    ASSERT_TRUE(streams.find(reader) && streams.find(writer));
    EXPECT_EQ((std::tuple{streams.find(reader)->typeId(), streams.find(writer)->typeId()}),
              (std::tuple{StreamHolder::FILE_READER_TYPE_ID, StreamHolder::FILE_WRITER_TYPE_ID}));
}

TEST_F(StreamTableTest, OnlyTheRecordAHolderWasFiledForReachesItOrDeletesItsStream) {
    const TVMAddress reader = addReader();
    const TVMAddress forged = heap.allocateWords(2, GC_CODE_STREAM_HOLDER);
    setWord(forged, StreamHolder::ETypeId, word(reader, StreamHolder::ETypeId));
    setWord(forged, StreamHolder::EStreamHandle, word(reader, StreamHolder::EStreamHandle));
    EXPECT_EQ(streams.find(forged), nullptr);
    for (const TVMAddress stray : {0u, 4u, reader + 4, space.committedEnd() - 4, 0xFFFFFFF8u})
        EXPECT_EQ(streams.find(stray), nullptr) << stray;
    // Freeing the forged record, or a stream holder block too small for a record,
    // deletes nothing.
    heap.freeObject(forged);
    heap.freeObject(heap.allocateWords(0, GC_CODE_STREAM_HOLDER));
    EXPECT_TRUE(deleted == 0 && streams.find(reader));
}

TEST_F(StreamTableTest, OverwrittenWordsHideTheHolderUntilTheyArePutBack) {
    const TVMAddress reader = addReader();
    StreamHolder* holder = streams.find(reader);
    const TUint32 handle = word(reader, StreamHolder::EStreamHandle);
    setWord(reader, StreamHolder::ETypeId, StreamHolder::FILE_WRITER_TYPE_ID);
    EXPECT_EQ(streams.find(reader), nullptr);
    setWord(reader, StreamHolder::ETypeId, StreamHolder::FILE_READER_TYPE_ID);
    EXPECT_EQ(streams.find(reader), holder);
    setWord(reader, StreamHolder::EStreamHandle, handle + 1);
    EXPECT_EQ(streams.find(reader), nullptr);
    setWord(reader, StreamHolder::EStreamHandle, handle);
    EXPECT_EQ(streams.find(reader), holder);
}

TEST_F(StreamTableTest, FreeingARecordWithDamagedWordsStillDeletesItsOwnStream) {
    const TVMAddress reader = addReader();
    const TVMAddress writer = addWriter();
    setWord(reader, StreamHolder::EStreamHandle, word(writer, StreamHolder::EStreamHandle));
    setWord(reader, StreamHolder::ETypeId, 0);
    heap.freeObject(reader);
    EXPECT_TRUE(deleted == 1 && streams.find(writer));
}

TEST_F(StreamTableTest, ASweepDeletesTheStreamOfEveryRecordItFreesAndNoOther) {
    addReader();
    addWriter();
    const TVMAddress kept = addReader();
    heap.poolContaining(headerOf(kept))->mark(headerOf(kept));
    heap.sweep();
    EXPECT_TRUE(deleted == 2 && streams.find(kept));
}

TEST_F(StreamTableTest, FreeingTheRecordDeletesTheStreamAndFreesTheHandleForReuse) {
    const TVMAddress first = addReader();
    const TUint32 handle = word(first, StreamHolder::EStreamHandle);
    heap.freeObject(first);
    EXPECT_TRUE(deleted == 1 && !streams.find(first));
    const TVMAddress second = addWriter();
    EXPECT_TRUE(word(second, StreamHolder::EStreamHandle) == handle && streams.find(second));
}

TEST_F(StreamTableTest, AHolderGivesOnlyItsOwnKindOfStream) {
    StreamHolder& reader = *streams.find(addReader());
    StreamHolder& writer = *streams.find(addWriter());
    EXPECT_EQ(&reader.getInputStream(), &reader.getInputStream());
    EXPECT_EQ(raisedCode([&] { reader.getOutputStream(); }), EVMException);
    EXPECT_EQ(latin1(lastErrorMessage()), "VMException: Invalid TYPEID");
    EXPECT_EQ(raisedCode([&] { writer.getInputStream(); }), EVMException);
    EXPECT_EQ(raisedCode([&] { writer.getOutputStream(); }), 0);
}

TEST_F(StreamTableTest, ClosingKeepsTheStreamAndDestructingDeletesIt) {
    StreamHolder& reader = *streams.find(addReader());
    EXPECT_TRUE(reader.isOpen());
    reader.close();
    EXPECT_TRUE(!reader.isOpen() && deleted == 0);
    reader.destruct();
    EXPECT_TRUE(!reader.isOpen() && deleted == 1);
    reader.close(); // nothing left to close
}

} // namespace
