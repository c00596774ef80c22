#include "CollectorTesting.h"

#include <deque>
#include <random>
#include <tuple>

namespace {

using Alive = std::vector<bool>;

TEST_F(CollectorTest, ObjectReachableOnlyThroughAChainOfCellsSurvives) {
    const TVMAddress object = pair();
    const TVMAddress inner = cell(object), middle = cell(inner), outer = cell(middle);
    const TVMAddress loose = cell(object);
    heap.addRoot(outer);
    collect();
    // A cell survives only while something refers to it.
    EXPECT_EQ(alive({object, inner, middle, outer, loose}), Alive({1, 1, 1, 1, 0}));
    heap.removeRoot(outer);
    collect();
    EXPECT_EQ(heap.numberOfEntries(), 0);
}

TEST_F(CollectorTest, ObjectArraysKeepTheirElementsAndPrimitiveArraysDoNot) {
    const TVMAddress first = pair(), second = pair();
    const TVMAddress elements = array({first, 0, second});
    const TVMAddress references = variable(elements, GC_CODE_OBJECT_ARRAY_REF);
    heap.addRoot(references);
    collect();
    EXPECT_EQ(alive({first, second, elements, storageOf(elements), references}),
              Alive({1, 1, 1, 1, 1}));

    heap.removeRoot(references);
    heap.addRoot(variable(elements, GC_CODE_PRIMITIVE_ARRAY_REF));
    collect();
    EXPECT_EQ(alive({first, second, elements, storageOf(elements)}), Alive({0, 0, 1, 1}));
    EXPECT_EQ(heap.numberOfEntries(), 3);
}

TEST_F(CollectorTest, EmptyArraysKeepTheirRecordAndAnyStorage) {
    const TVMAddress empty = array({});
    ASSERT_EQ(storageOf(empty), 0u) << "no storage to mark";
    heap.addRoot(variable(empty, GC_CODE_OBJECT_ARRAY_REF));
    collect();
    EXPECT_TRUE(alive(empty));
    EXPECT_EQ(heap.numberOfEntries(), 2);

    const TVMAddress emptied = array({pair()});
    store(emptied + OVector::ESize, 0);
    heap.addRoot(variable(emptied, GC_CODE_OBJECT_ARRAY_REF));
    collect();
    EXPECT_TRUE(alive(storageOf(emptied))) << "the array would otherwise name freed storage";
    EXPECT_EQ(heap.numberOfEntries(), 2 + 3) << "elements past the size are not marked";
}

TEST_F(CollectorTest, ArrayReachedWithoutItsVariableKeepsItsStorageButNotItsElements) {
    const TVMAddress element = pair();
    const TVMAddress elements = array({element});
    heap.addRoot(cell(elements));
    collect();
    EXPECT_EQ(alive({storageOf(elements), element}), Alive({1, 0}));
}

TEST_F(CollectorTest, ObjectsKeepTheirReferenceFieldsAndArrayFields) {
    const TVMAddress referenced = pair(), unreferenced = pair();
    const TVMAddress element = pair(), number = pair();
    const TVMAddress holder =
        block(GC_CODE_OBJECT, {kHolder, array({element}), 0, array({number}), 0});
    // The fourth word is not one of the class's reference fields.
    const TVMAddress root = block(GC_CODE_OBJECT, {kPair, holder, referenced, unreferenced});
    heap.addRoot(root);
    collect();
    EXPECT_EQ(alive({referenced, element, load(holder + 12), number, unreferenced}),
              Alive({1, 1, 1, 0, 0}));
}

// A reference cell's first word counts the references after it: 1 or 2.
TEST_F(CollectorTest, ReferenceCellsHoldOneOrTwoReferencesAndAnotherCountAbandons) {
    const TVMAddress a = pair(), b = pair(), c = pair();
    const TVMAddress one = block(GC_CODE_REF_CELL, {1, a, b});
    const TVMAddress two = block(GC_CODE_REF_CELL, {2, 0, c});
    heap.addRoot(one);
    heap.addRoot(two);
    collect();
    EXPECT_EQ(alive({a, b, c}), Alive({1, 0, 1}));
    store(two, 3);
    const TVMAddress garbage = pair();
    EXPECT_FALSE(collector.collectFromRoots(0));
    EXPECT_TRUE(alive(garbage)) << "an abandoned collection frees nothing";
}

TEST_F(CollectorTest, ReferenceToAFreeBlockAbandonsTheCollectionAndClearsItsMarks) {
    const TVMAddress child = pair();
    const TVMAddress root = pair(child, freedBlock());
    const TVMAddress garbage = pair();
    heap.addRoot(root);
    EXPECT_FALSE(collector.collectFromRoots(0));
    EXPECT_TRUE(alive(garbage));
    store(root + 8, 0);
    collect();
    // A mark left from the abandoned collection would hide the child.
    EXPECT_EQ(alive({child, garbage}), Alive({1, 0}));
}

TEST_F(CollectorTest, PreciseValueThatStartsNoBlockIsFollowedConservatively) {
    const TVMAddress target = pair();
    const TVMAddress numbers = pair();
    heap.addRoot(pair(target + 4, 12345));
    heap.addRoot(cell(numbers + 200000)); // beyond every pool
    collect();
    // A reference into an object keeps the object.
    EXPECT_EQ(alive({target, numbers}), Alive({1, 0}));
}

TEST_F(CollectorTest, NativeObjectsKeepWhatTheyReport) {
    int destroyed = 0;
    const TVMAddress kept = pair();
    const TVMAddress native = heap.allocateNative(
        std::make_unique<TracedNative>([&] { ++destroyed; }, std::vector<TUint32>{kept}),
        GC_CODE_DATA);
    heap.addRoot(native);
    collect();
    EXPECT_TRUE(alive(kept));
    heap.removeRoot(native);
    collect();
    EXPECT_EQ((std::tuple{alive(kept), destroyed}), (std::tuple{false, 1}));
}

TEST_F(CollectorTest, ConservativeValuesKeepOnlyBlocksInUse) {
    const TVMAddress object = pair();
    const TVMAddress free = freedBlock();
    const TVMAddress firstBlock = heap.firstBlock(0);
    Marker marker(heap, tables);
    marker.markPointer(free);        // a free block
    marker.markPointer(free + 4);    // inside it
    marker.markPointer(firstBlock);  // the leading terminator
    marker.markPointer(object + 12); // just past the object's payload, in its trailer
    marker.markPointer(0xFFFFFFF0u); // outside every pool
    marker.drain();
    EXPECT_TRUE(marker.isMarkedObject(object));
    heap.sweep();
    EXPECT_TRUE(alive(object));
    EXPECT_EQ(heap.numberOfEntries(), 1) << "the guard of the freed block went";
}

TEST_F(CollectorTest, GlobalsWordsAreFollowedConservatively) {
    const TVMAddress object = pair();
    const TVMAddress globals = block(GC_CODE_DATA, {0, 0, object, 0});
    heap.addRoot(globals);
    ASSERT_TRUE(collector.collectFromRoots(globals));
    EXPECT_TRUE(alive(object));
    collect();
    EXPECT_FALSE(alive(object)) << "the block's code alone does not trace its words";
}

TEST_F(CollectorTest, ChainOfTwoMillionObjectsIsMarkedWithoutExhaustingTheStack) {
    constexpr TInt32 kLength = 2'000'000;
    TVMAddress head = 0;
    for (TInt32 i = 0; i < kLength; ++i)
        head = pair(head);
    heap.addRoot(head);
    collect();
    EXPECT_EQ(heap.numberOfEntries(), kLength);
    heap.removeRoot(head);
    collect();
    EXPECT_EQ(heap.numberOfEntries(), 0);
}

// A heap of many pools is marked by two markers at once. A random graph of pairs, reached
// through an array of references, must keep exactly what a search of the graph reaches.
class SharedMarkingTest : public CollectorTest {
protected:
    static constexpr TInt32 kPairs = 400'000, kRoots = 2'000;

    SharedMarkingTest() {
        std::mt19937 random(20);
        for (TInt32 i = 0; i < kPairs; ++i)
            pairs.push_back(pair());
        for (TInt32 i = 0; i < kPairs; ++i) {
            for (const TUint32 field : {4u, 8u}) {
                const TInt32 target = static_cast<TInt32>(random() % (2 * kPairs));
                if (target >= kPairs) continue; // half the fields stay null
                store(pairs[i] + field, pairs[target]);
                links.emplace_back(i, target);
            }
        }
        std::vector<TUint32> roots;
        for (TInt32 i = 0; i < kRoots; ++i)
            roots.push_back(static_cast<TUint32>(random() % kPairs));
        std::vector<TUint32> elements;
        for (const TUint32 root : roots)
            elements.push_back(pairs[root]);
        heap.addRoot(variable(array(elements), GC_CODE_OBJECT_ARRAY_REF));
        expected = reachedFrom(roots);
    }

    // Which pairs a search from the roots reaches.
    std::vector<bool> reachedFrom(const std::vector<TUint32>& roots) const {
        std::vector<std::vector<TInt32>> next(kPairs);
        for (const auto& [from, to] : links)
            next[from].push_back(to);
        std::vector<bool> reached(kPairs);
        std::deque<TUint32> waiting(roots.begin(), roots.end());
        for (; !waiting.empty(); waiting.pop_front()) {
            if (reached[waiting.front()]) continue;
            reached[waiting.front()] = true;
            waiting.insert(waiting.end(), next[waiting.front()].begin(),
                           next[waiting.front()].end());
        }
        return reached;
    }
    // How many pairs are alive where the search says otherwise.
    TInt32 misjudged() const {
        TInt32 wrong = 0;
        for (TInt32 i = 0; i < kPairs; ++i)
            wrong += alive(pairs[i]) != expected[i];
        return wrong;
    }
    TInt32 expectedEntries() const {
        return static_cast<TInt32>(std::count(expected.begin(), expected.end(), true)) + 3;
    }

    std::vector<TVMAddress> pairs;
    std::vector<std::pair<TInt32, TInt32>> links;
    std::vector<bool> expected;
};

TEST_F(SharedMarkingTest, KeepsExactlyWhatTheGraphReaches) {
    ASSERT_GE(heap.poolCount(), Collector::kPoolsToShare);
    collect();
    EXPECT_EQ(misjudged(), 0);
    EXPECT_EQ(heap.numberOfEntries(), expectedEntries()); // the pairs, the array and its variable
    collect();
    EXPECT_EQ(heap.numberOfEntries(), expectedEntries()) << "the marks were cleared";
}

TEST_F(SharedMarkingTest, AReferenceToAFreeBlockAbandonsItWhicheverMarkerMeetsIt) {
    const TInt32 reachedPair =
        static_cast<TInt32>(std::find(expected.begin(), expected.end(), true) - expected.begin());
    const TVMAddress field = pairs[reachedPair] + 8;
    const TUint32 kept = load(field);
    store(field, freedBlock());
    const TInt32 before = heap.numberOfEntries();
    EXPECT_FALSE(collector.collectFromRoots(0));
    EXPECT_EQ(heap.numberOfEntries(), before) << "an abandoned collection frees nothing";
    store(field, kept);
    collect();
    EXPECT_EQ(misjudged(), 0) << "no mark of the abandoned collection is left";
}

} // namespace
