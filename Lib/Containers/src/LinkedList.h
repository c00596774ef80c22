// LinkedList<T>: a doubly linked list whose nodes come from an optional node allocator,
// or from the general allocator when there is none. Appending and removing through an
// iterator take constant time.
#pragma once

#include "ErrorCodes.h"
#include "Types.h"

#include <utility>

template <class T> struct ListEntry {
    // Index of the node in its node pool; 0 for nodes of the general allocator.
    TUint32 poolIndex = 0;
    ListEntry* previous = nullptr;
    T value{};
    ListEntry* next = nullptr;
};

// A position in a list: one node, or null for the end.
template <class T> class LinkedListIterator {
public:
    LinkedListIterator() = default;
    explicit LinkedListIterator(ListEntry<T>* node) : entry(node) {}

    ListEntry<T>* node() const { return entry; }
    T& operator*() const { return entry->value; }
    T* operator->() const { return &entry->value; }
    LinkedListIterator& operator++() {
        entry = entry->next;
        return *this;
    }
    bool operator==(const LinkedListIterator&) const = default;

private:
    ListEntry<T>* entry = nullptr;
};

// Supplies list nodes; a released node may be handed out again.
template <class T> class MListNodeAllocator {
public:
    virtual ~MListNodeAllocator() = default;
    // A node holding a default value, unlinked.
    virtual ListEntry<T>* allocateNode() = 0;
    virtual void releaseNode(ListEntry<T>* node) = 0;
};

template <class T> class LinkedList {
public:
    explicit LinkedList(MListNodeAllocator<T>* nodeAllocator = nullptr)
        : allocator(nodeAllocator) {}
    LinkedList(const LinkedList&) = delete;
    LinkedList& operator=(const LinkedList&) = delete;
    ~LinkedList() { clear(); }

    TInt32 size() const { return count; }
    bool isEmpty() const { return count == 0; }
    ListEntry<T>* head() const { return first; }
    ListEntry<T>* tail() const { return last; }
    LinkedListIterator<T> begin() const { return LinkedListIterator<T>(first); }
    LinkedListIterator<T> end() const { return {}; }

    // Returns the position of the new last element.
    LinkedListIterator<T> append(T value);
    // Removes the element at the position; the end position raises InvalidArgumentException.
    // The position must belong to this list.
    void remove(LinkedListIterator<T> position);
    // Moves the element at the position to the end of `other`, which may be this list, in
    // the same node: nothing is released or allocated. The end position raises
    // InvalidArgumentException. The position must belong to this list.
    void moveToEnd(LinkedListIterator<T> position, LinkedList& other);
    // The first position holding the value, or the end.
    LinkedListIterator<T> find(const T& value) const;
    void clear();

private:
    void linkLast(ListEntry<T>* node);
    void unlink(ListEntry<T>* node);

    MListNodeAllocator<T>* allocator;
    TInt32 count = 0;
    ListEntry<T>* first = nullptr;
    ListEntry<T>* last = nullptr;
};

template <class T> LinkedListIterator<T> LinkedList<T>::append(T value) {
    ListEntry<T>* node = allocator ? allocator->allocateNode() : new ListEntry<T>();
    node->value = std::move(value);
    linkLast(node);
    return LinkedListIterator<T>(node);
}

template <class T> void LinkedList<T>::remove(LinkedListIterator<T> position) {
    ListEntry<T>* node = position.node();
    if (!node) throwError(EInvalidArgument);
    unlink(node);
    if (allocator) {
        allocator->releaseNode(node);
    } else {
        delete node;
    }
}

template <class T>
void LinkedList<T>::moveToEnd(LinkedListIterator<T> position, LinkedList& other) {
    ListEntry<T>* node = position.node();
    if (!node) throwError(EInvalidArgument);
    unlink(node);
    other.linkLast(node);
}

template <class T> void LinkedList<T>::linkLast(ListEntry<T>* node) {
    node->previous = last;
    node->next = nullptr;
    (last ? last->next : first) = node;
    last = node;
    ++count;
}

template <class T> void LinkedList<T>::unlink(ListEntry<T>* node) {
    (node->previous ? node->previous->next : first) = node->next;
    (node->next ? node->next->previous : last) = node->previous;
    --count;
}

template <class T> LinkedListIterator<T> LinkedList<T>::find(const T& value) const {
    for (auto position = begin(); position != end(); ++position) {
        if (*position == value) return position;
    }
    return end();
}

template <class T> void LinkedList<T>::clear() {
    while (first)
        remove(begin());
}
