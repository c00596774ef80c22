#include "StressCollection.h"

#include <cstdlib>
#include <cstring>

bool StressCollection::requested() {
    const char* setting = std::getenv("KESTRO_GC_STRESS");
    return setting && *setting != '\0' && std::strcmp(setting, "0") != 0;
}
