// A stream holder deletes its stream when it is destructed, not when it is closed: the
// files programs see what the machine's stream table does with holders, but a holder's
// own destruction, while the holder itself lives on, only shows here.
#include "StreamHolder.h"
#include "Stream.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// Memory streams that count their deletions.
class CountedInput : public KESTRO::MemoryInputStream {
public:
    explicit CountedInput(int& aDeleted)
        : KESTRO::MemoryInputStream(std::vector<TUint8>{1, 2, 3}), deleted(aDeleted) {}
    ~CountedInput() override { ++deleted; }
    // Closes as a file stream does (a memory stream stays open).
    void close() override { openFlag = false; }

private:
    int& deleted;
};

class CountedOutput : public KESTRO::MemoryOutputStream {
public:
    explicit CountedOutput(int& aDeleted) : deleted(aDeleted) {}
    ~CountedOutput() override { ++deleted; }

private:
    int& deleted;
};

TEST(StreamHolder, ClosingKeepsTheStreamAndDestructingDeletesIt) {
    int deleted = 0;
    StreamHolder reader(std::make_unique<CountedInput>(deleted));
    StreamHolder writer(std::make_unique<CountedOutput>(deleted));
    EXPECT_TRUE(reader.isOpen() && writer.isOpen());
    reader.close();
    EXPECT_TRUE(!reader.isOpen() && deleted == 0);
    reader.destruct();
    writer.destruct();
    EXPECT_EQ(deleted, 2);
    EXPECT_FALSE(reader.isOpen() || writer.isOpen());
    reader.close(); // nothing left to close
}

} // namespace
