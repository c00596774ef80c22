#include "RootedValues.h"

#include <utility>

RootedValues::RootedValues(VMHeap& aHeap, const std::vector<TUint32>& values) : heap(&aHeap) {
    for (const TUint32 value : values) {
        if (!heap->isBlockInUse(headerOf(value))) continue;
        heap->addRoot(value);
        objects.push_back(value);
    }
}

RootedValues::RootedValues(RootedValues&& other) noexcept
    : heap(other.heap), objects(std::move(other.objects)) {
    other.objects.clear();
}

RootedValues::~RootedValues() {
    release();
}

void RootedValues::release() {
    for (const TVMAddress object : objects)
        heap->removeRoot(object);
    objects.clear();
}
