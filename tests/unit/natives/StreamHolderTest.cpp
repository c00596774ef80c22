// A stream holder deletes its stream when it is destructed, not when it is closed: the
// files programs see what the machine's stream table does with holders, but a holder's
// own destruction, while the holder itself lives on, only shows here.
#include "StreamHolder.h"
#include "CountedStreams.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

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
