#include "WorkList.h"

#include <algorithm>

void WorkList::grow() {
    items.resize(std::max<std::size_t>(4096, 2 * items.size()));
}
