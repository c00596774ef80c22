// MarkingThread: the thread on which the second marker drains its part of a shared
// collection. It is started with the first collection that shares its marking and waits
// for the next one between collections.
#pragma once

#include "Marker.h"

#include <atomic>
#include <exception>
#include <thread>

class MarkingThread {
public:
    explicit MarkingThread(Marker& aMarker);
    ~MarkingThread();
    MarkingThread(const MarkingThread&) = delete;
    MarkingThread& operator=(const MarkingThread&) = delete;

    // The marker starts Marker::drainShared() on the thread.
    void startDraining();
    // Waits until it has returned; gives what it threw, or null.
    std::exception_ptr finishDraining();

private:
    void run();

    Marker& marker;
    std::atomic<TUint32> requested{0}; // the number of the last drain asked for
    std::atomic<TUint32> finished{0};  // the number of the last drain done
    std::atomic<bool> stopping{false};
    std::exception_ptr failure; // written by the thread before `finished` moves
    std::thread thread;         // last: it starts once the rest is ready
};
