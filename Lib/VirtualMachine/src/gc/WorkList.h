// WorkList: the references that marking has met but not marked yet, as a stack. It keeps
// its storage from one collection to the next, and its growth stays out of the marking loop.
#pragma once

#include "Types.h"

#include <vector>

class WorkList {
public:
    WorkList() = default;
    WorkList(const WorkList&) = delete;
    WorkList& operator=(const WorkList&) = delete;

    bool isEmpty() const { return top == items.data(); }
    std::size_t size() const { return static_cast<std::size_t>(top - items.data()); }
    // A push compares one pointer with another, the cheapest test there is for room.
    void push(TUint32 reference) {
        if (top == limit) grow();
        *top++ = reference;
    }
    // Pushes `count` references that lie one after another, four bytes each, at `words`.
    void pushWords(const TUint8* words, TUint32 count);
    void pushAll(const std::vector<TUint32>& references) {
        pushWords(reinterpret_cast<const TUint8*>(references.data()),
                  static_cast<TUint32>(references.size()));
    }
    // Moves the `count` references on top of the list to the end of `to`; `count` must not
    // exceed size().
    void moveTop(std::size_t count, std::vector<TUint32>& to) {
        to.insert(to.end(), top - count, top);
        top -= count;
    }
    TUint32 pop() { return *--top; }
    void clear() { top = items.data(); }

private:
    // Makes room for at least `count` more references.
    void grow(std::size_t count = 1);

    std::vector<TUint32> items;
    TUint32* top = nullptr;   // past the last reference on the list
    TUint32* limit = nullptr; // the end of the storage
};
