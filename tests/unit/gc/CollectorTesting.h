// Shared set-up for the collector tests: a heap with class layouts and a collector over
// them, and helpers that build objects, cells and arrays as the interpreter and the natives
// do.
#pragma once

#include "Collector.h"
#include "OVector.h"
#include "TextTesting.h"

#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

// Classes of the tests: a Pair (class 1) holds references in words 1 and 2; a Holder
// (class 2) holds an array variable of references at word 1 and one of numbers at word 3.
inline constexpr TUint32 kPair = 1, kHolder = 2;

class CollectorTest : public ::testing::Test {
protected:
    CollectorTest() {
        tables.classReferenceFields = {{}, {1, 2}, {}};
        tables.classArrayFields = {{}, {}, {1, 3}};
        tables.classArrayFieldHoldsReferences = {{}, {}, {255, 0}};
    }

    TUint32 load(TVMAddress address) const { return space.load32(address); }
    void store(TVMAddress address, TUint32 value) { space.store32(address, value); }
    bool alive(TVMAddress object) const { return heap.isBlockInUse(headerOf(object)); }
    // Which of the objects are alive, in order.
    std::vector<bool> alive(std::initializer_list<TVMAddress> objects) const {
        std::vector<bool> answers;
        for (const TVMAddress object : objects)
            answers.push_back(alive(object));
        return answers;
    }
    // A collection from the roots that must not be abandoned.
    void collect() { ASSERT_TRUE(collector.collectFromRoots(0)); }

    // A block of the code holding the words, in order.
    TVMAddress block(GcCode code, std::initializer_list<TUint32> words) {
        const TVMAddress made = heap.allocateWords(static_cast<TInt32>(words.size()), code);
        TVMAddress at = made;
        for (const TUint32 word : words)
            store(std::exchange(at, at + 4), word);
        return made;
    }
    TVMAddress pair(TUint32 first = 0, TUint32 second = 0) {
        return block(GC_CODE_OBJECT, {kPair, first, second});
    }
    TVMAddress cell(TUint32 value, GcCode code = GC_CODE_NATIVE_REF) {
        return block(code, {value});
    }
    // An array of word elements; returns the array (the OVector record).
    TVMAddress array(const std::vector<TUint32>& elements) {
        const TVMAddress made = OVector::create(heap, 4);
        for (const TUint32 element : elements)
            store(OVector(heap, made).append(), element);
        return made;
    }
    TVMAddress storageOf(TVMAddress array) const { return load(array + OVector::EStorage); }
    // An array variable in a block of its own.
    TVMAddress variable(TVMAddress array, GcCode code) { return block(code, {array, 4}); }
    TVMAddress freedBlock() {
        const TVMAddress freed = heap.allocateWords(2, GC_CODE_DATA);
        heap.allocateWords(2, GC_CODE_DATA); // keeps the freed block from merging away
        heap.freeObject(freed);
        return freed;
    }

    AddressSpace space;
    VMHeap heap{space, nullptr};
    ModuleTables tables;
    Collector collector{heap, tables};
};

// A native object that counts its destructions and reports the references it is given.
class TracedNative : public GCObject {
public:
    explicit TracedNative(std::function<void()> anOnDestroy, std::vector<TUint32> aKept = {})
        : onDestroy(std::move(anOnDestroy)), kept(std::move(aKept)) {}
    ~TracedNative() override { onDestroy(); }
    void collectReferences(Vec<int>& markStack) override {
        for (const TUint32 reference : kept)
            markStack.append(static_cast<int>(reference));
    }

private:
    std::function<void()> onDestroy;
    std::vector<TUint32> kept;
};
