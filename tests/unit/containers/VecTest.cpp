#include "Vec.h"
#include "CAppsString.h"
#include "TextTesting.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {

template <class T> std::vector<T> items(const Vec<T>& vec) {
    return {vec.begin(), vec.end()};
}

// Counts live instances, to show that exactly the live elements are constructed.
struct Tracked {
    static inline int alive = 0;
    int value = 0;
    Tracked(int v = 0) : value(v) { ++alive; }
    Tracked(const Tracked& other) : value(other.value) { ++alive; }
    Tracked& operator=(const Tracked&) = default;
    ~Tracked() { --alive; }
};

class CountingAllocator : public MVecAllocator<int> {
public:
    int* allocate(TInt32 count) override {
        ++allocations;
        return new int[static_cast<std::size_t>(count)];
    }
    void release(int* storage) override {
        ++releases;
        delete[] storage;
    }
    int allocations = 0;
    int releases = 0;
};

TEST(Vec, AppendGrowsByAQuarterPlusEight) {
    Vec<int> vec;
    std::vector<TInt32> capacities;
    for (int i = 0; i < 64; ++i) {
        if (vec.size() == vec.capacity()) capacities.push_back(vec.capacity());
        vec.append(i);
    }
    EXPECT_EQ(capacities, (std::vector<TInt32>{0, 8, 18, 30, 45}));
    EXPECT_EQ((std::tuple{vec.capacity(), vec[63]}), (std::tuple{64, 63}));
}

TEST(Vec, InsertAndRemoveKeepTheOrder) {
    Vec<int> vec;
    for (int i : {1, 3, 5})
        vec.append(i);
    vec.insertAt(1, 2);
    vec.insertAt(4, 6);
    vec.insertAt(0, 0);
    EXPECT_EQ(items(vec), (std::vector<int>{0, 1, 2, 3, 5, 6}));
    vec.removeAt(4);
    vec.removeLast();
    EXPECT_EQ(items(vec), (std::vector<int>{0, 1, 2, 3}));
    vec.resize(6);
    EXPECT_EQ(items(vec), (std::vector<int>{0, 1, 2, 3, 0, 0}));
}

TEST(Vec, ErrorsRaiseInvalidArgumentWithoutMessage) {
    Vec<int> vec;
    vec.append(7);
    EXPECT_EQ(vec.at(0), 7);
    EXPECT_EQ(raisedCode([&] { vec.at(1); }), EInvalidArgument);
    EXPECT_TRUE(lastErrorMessage() == OString("InvalidArgumentException"));
    EXPECT_EQ(raisedCode([&] { vec.at(-1); }), EInvalidArgument);
    EXPECT_EQ(raisedCode([&] { vec.insertAt(2, 0); }), EInvalidArgument);
    EXPECT_EQ(raisedCode([&] { vec.removeAt(1); }), EInvalidArgument);
    EXPECT_EQ(raisedCode([&] { vec.resize(-1); }), EInvalidArgument);
    vec.append(8);
    EXPECT_EQ(raisedCode([&] { vec.reserve(1); }), EInvalidArgument);
    vec.clear();
    EXPECT_EQ(raisedCode([&] { vec.removeLast(); }), EInvalidArgument);
}

TEST(Vec, OnlyLiveElementsExist) {
    {
        Vec<Tracked> vec;
        for (int i = 0; i < 20; ++i)
            vec.append(Tracked(i));
        vec.insertAt(0, Tracked(-1));
        vec.removeAt(5);
        EXPECT_EQ(Tracked::alive, 20);
        vec.append(vec[0]); // an element of its own, while the storage grows
        EXPECT_EQ(vec[20].value, -1);
        vec.resize(3);
        EXPECT_EQ(Tracked::alive, 3);
    }
    EXPECT_EQ(Tracked::alive, 0);
}

TEST(Vec, CopiesAreIndependent) {
    Vec<OString> original;
    original.append(OString("a"));
    Vec<OString> copy(original);
    copy[0].append(u'b');
    copy.append(OString("c"));
    EXPECT_EQ((std::tuple{latin1(original[0]), original.size(), latin1(copy[0])}),
              (std::tuple{std::string("a"), 1, std::string("ab")}));
}

TEST(Vec, StorageComesFromTheAllocator) {
    CountingAllocator allocator;
    {
        Vec<int> vec(&allocator);
        for (int i = 0; i < 10; ++i)
            vec.append(i);
        EXPECT_EQ((std::tuple{allocator.allocations, allocator.releases}), (std::tuple{2, 1}));
    }
    EXPECT_EQ(allocator.releases, 2);
}

TEST(CAppsString, BuildsTextAndConverts) {
    CAppsString text("n=");
    text.appendNumber(-42);
    text.append(u' ');
    text.append(OString("\xe9"));
    EXPECT_EQ(latin1(text.toOString()), "n=-42 \xe9");
    EXPECT_EQ(CAppsString(OString("xyz")).view(), std::u16string_view(u"xyz"));
}

} // namespace
