#include "WorkList.h"

#include <algorithm>

void WorkList::grow() {
    const std::ptrdiff_t count = top - items.data();
    items.resize(std::max<std::size_t>(4096, 2 * items.size()));
    top = items.data() + count;
    limit = items.data() + items.size();
}
