#include "WorkList.h"

#include <algorithm>
#include <cstring>

void WorkList::grow(std::size_t count) {
    const std::size_t used = static_cast<std::size_t>(top - items.data());
    items.resize(std::max({std::size_t{4096}, 2 * items.size(), used + count}));
    top = items.data() + used;
    limit = items.data() + items.size();
}

void WorkList::pushWords(const TUint8* words, TUint32 count) {
    if (static_cast<std::size_t>(limit - top) < count) grow(count);
    std::memcpy(top, words, std::size_t{count} * 4);
    top += count;
}
