#include "ProcessLifecycle.h"

#include <cstdio>
#include <cstdlib>

void ProcessLifecycle::exitApplication() {
    std::fflush(stderr);
    std::exit(0);
}
