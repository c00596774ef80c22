#include "TestPosition.h"

#include <cstdio>
#include <cstdlib>

void deliverTestPosition(MPositionObserver& observer, TUint32 observerObject) {
    const char* position = std::getenv("KESTRO_TEST_POSITION");
    if (!position) return;
    int error = 0;
    if (std::sscanf(position, "error %i", &error) == 1)
        return observer.positionErrorForwarded(error, observerObject);
    double first = 0, second = 0, third = 0, fourth = 0;
    int flag = 0;
    if (std::sscanf(position, "%lf %lf %lf %lf %i", &first, &second, &third, &fourth, &flag) != 5)
        return;
    const PositionValues values{ORaw::toFixed(first), ORaw::toFixed(second), ORaw::toFixed(third),
                                ORaw::toFixed(fourth)};
    observer.positionUpdate(values, Kestro::DateTime::now(), flag, observerObject);
}
