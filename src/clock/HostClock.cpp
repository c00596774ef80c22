#include "HostClock.h"

#include <sys/time.h>

namespace {

// Microseconds since 1970-01-01 UTC.
TInt64 microsecondClock() {
    timeval now{};
    gettimeofday(&now, nullptr);
    return TInt64{now.tv_sec} * 1000000 + now.tv_usec;
}

} // namespace

HostClock::HostClock() : startTime(microsecondClock()) {}

void HostClock::restart() {
    startTime = microsecondClock();
}

TInt32 HostClock::currentTimeMillis() {
    return static_cast<TInt32>(microsecondClock() / 1000);
}

TInt32 HostClock::elapsedMillis() {
    return static_cast<TInt32>((microsecondClock() - startTime) / 1000);
}
