#include "MarkingThread.h"

MarkingThread::MarkingThread(Marker& aMarker) : marker(aMarker), thread([this] { run(); }) {}

MarkingThread::~MarkingThread() {
    stopping.store(true, std::memory_order_relaxed);
    requested.fetch_add(1, std::memory_order_release);
    requested.notify_one();
    thread.join();
}

void MarkingThread::startDraining() {
    requested.fetch_add(1, std::memory_order_release);
    requested.notify_one();
}

std::exception_ptr MarkingThread::finishDraining() {
    const TUint32 target = requested.load(std::memory_order_relaxed);
    for (TUint32 done = finished.load(std::memory_order_acquire); done != target;
         done = finished.load(std::memory_order_acquire))
        finished.wait(done, std::memory_order_acquire);
    return std::exchange(failure, nullptr);
}

void MarkingThread::run() {
    TUint32 seen = 0;
    for (;;) {
        requested.wait(seen, std::memory_order_acquire);
        seen = requested.load(std::memory_order_acquire);
        if (stopping.load(std::memory_order_relaxed)) return;
        try {
            marker.drainShared();
        } catch (...) {
            failure = std::current_exception();
        }
        finished.store(seen, std::memory_order_release);
        finished.notify_one();
    }
}
