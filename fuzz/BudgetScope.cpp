#include "BudgetScope.h"

#include "MemoryBudget.h"

#include <cstdio>
#include <cstdlib>

BudgetScope::BudgetScope(TUint64 bytes)
    : limitBefore(MemoryBudget::limit()), usedBefore(MemoryBudget::used()) {
    MemoryBudget::setLimit(usedBefore + bytes);
}

BudgetScope::~BudgetScope() {
    MemoryBudget::setLimit(limitBefore);
    if (MemoryBudget::used() != usedBefore) {
        std::fprintf(stderr, "the input kept %lld bytes of its memory budget\n",
                     static_cast<long long>(MemoryBudget::used() - usedBefore));
        std::abort();
    }
}
