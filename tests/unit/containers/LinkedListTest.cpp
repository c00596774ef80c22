#include "LinkedList.h"
#include "NodePool.h"
#include "TextTesting.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<int> forwards(const LinkedList<int>& list) {
    std::vector<int> values;
    for (const int value : list)
        values.push_back(value);
    return values;
}

std::vector<int> backwards(const LinkedList<int>& list) {
    std::vector<int> values;
    for (ListEntry<int>* node = list.tail(); node; node = node->previous)
        values.push_back(node->value);
    return values;
}

class LinkedListTest : public testing::TestWithParam<bool> {
protected:
    NodePool<int> pool;
    LinkedList<int> list{GetParam() ? &pool : nullptr};
};

TEST_P(LinkedListTest, RemovalThroughIteratorsRelinksBothWays) {
    std::vector<LinkedListIterator<int>> positions;
    for (int i = 1; i <= 5; ++i)
        positions.push_back(list.append(i));
    list.remove(positions[2]);
    EXPECT_EQ(forwards(list), (std::vector<int>{1, 2, 4, 5}));
    list.remove(positions[0]);
    EXPECT_EQ(list.head()->value, 2);
    list.remove(positions[4]);
    EXPECT_EQ(list.tail()->value, 4);
    EXPECT_EQ(backwards(list), (std::vector<int>{4, 2}));
    EXPECT_EQ(list.size(), 2);
    list.remove(list.find(2));
    list.remove(list.begin());
    EXPECT_TRUE(list.isEmpty() && !list.head() && !list.tail());
}

TEST_P(LinkedListTest, FindAndEndPosition) {
    list.append(7);
    list.append(7);
    EXPECT_EQ(list.find(7).node(), list.head());
    EXPECT_EQ(list.find(8), list.end());
    EXPECT_EQ(raisedCode([&] { list.remove(list.end()); }), EInvalidArgument);
    EXPECT_EQ(list.size(), 2);
}

INSTANTIATE_TEST_SUITE_P(NodeSources, LinkedListTest, testing::Bool());

TEST(NodePool, LookupIsCheckedAgainstRangeAndUseAndIndexZeroMeansNoNode) {
    NodePool<int> pool;
    ListEntry<int>* node = pool.allocateNode();
    EXPECT_EQ(node->poolIndex, 1u);
    EXPECT_EQ(pool.nodeAt(1), node);
    // 2 was never handed out, 256 lies beyond the first block.
    for (const TUint32 index : {NodePool<int>::NoNode, 2u, 256u, 0xFFFFFFFFu})
        EXPECT_EQ(pool.nodeAt(index), nullptr) << index;
    pool.releaseNode(node);
    EXPECT_EQ(pool.nodeAt(1), nullptr) << "released";
}

TEST(NodePool, ReleasedNodesAreReusedAndBlocksAdded) {
    NodePool<int> pool;
    std::vector<ListEntry<int>*> nodes;
    for (int i = 0; i < 256; ++i)
        nodes.push_back(pool.allocateNode());
    EXPECT_EQ(nodes.back()->poolIndex, 256u) << "the second block starts at 256";
    EXPECT_EQ(pool.nodeAt(256), nodes.back());
    nodes[9]->value = 5;
    pool.releaseNode(nodes[9]);
    ListEntry<int>* reused = pool.allocateNode();
    EXPECT_EQ(reused, nodes[9]);
    EXPECT_EQ(reused->value, 0) << "a reused node starts with a default value";
    EXPECT_EQ(pool.allocateNode()->poolIndex, 257u);
}

} // namespace
