#include "MemoryBudget.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <new>

namespace {

struct Budget {
    TUint64 limit = std::numeric_limits<TUint64>::max();
    TUint64 used = 0;
};

thread_local Budget budget;

} // namespace

std::optional<TUint64> MemoryBudget::parseSize(std::string_view text) {
    constexpr TUint64 kLargest = std::numeric_limits<TUint64>::max();
    TUint64 value = 0;
    std::size_t digits = 0;
    for (; digits < text.size() && text[digits] >= '0' && text[digits] <= '9'; ++digits) {
        if (value > (kLargest - 9) / 10) return std::nullopt;
        value = value * 10 + static_cast<TUint64>(text[digits] - '0');
    }
    if (digits == 0 || text.size() > digits + 1) return std::nullopt;
    int shift = 0;
    if (text.size() > digits) {
        switch (text.back()) {
        case 'K':
        case 'k': shift = 10; break;
        case 'M':
        case 'm': shift = 20; break;
        case 'G':
        case 'g': shift = 30; break;
        default: return std::nullopt;
        }
    }
    if (value > kLargest >> shift) return std::nullopt;
    return value << shift;
}

TUint64 MemoryBudget::limitFromEnvironment() {
    const char* text = std::getenv("KESTRO_MEMORY_LIMIT");
    if (!text) return kDefaultLimit;
    const std::optional<TUint64> size = parseSize(text);
    if (!size) {
        std::fprintf(stderr, "kestro: KESTRO_MEMORY_LIMIT=%s is not a size; the limit stays %llu\n",
                     text, static_cast<unsigned long long>(kDefaultLimit));
        return kDefaultLimit;
    }
    return std::max(*size, kSmallestLimit);
}

void MemoryBudget::setLimit(TUint64 bytes) {
    budget.limit = bytes;
}

TUint64 MemoryBudget::limit() {
    return budget.limit;
}

TUint64 MemoryBudget::used() {
    return budget.used;
}

void MemoryBudget::charge(TUint64 bytes) {
    require(bytes);
    budget.used += bytes;
}

void MemoryBudget::release(TUint64 bytes) {
    budget.used -= std::min(bytes, budget.used);
}

void MemoryBudget::require(TUint64 bytes) {
    if (bytes > budget.limit || budget.used > budget.limit - bytes) throw std::bad_alloc();
}
