// A memory budget for what one fuzzed input makes the host commit, on top of what the
// thread has charged already. Whatever the input made must give back all it took by the
// time the scope ends, or the budget would shrink with every application the host runs:
// a scope that ends with a different charge aborts, which the fuzzer reports.
#pragma once

#include "Types.h"

class BudgetScope {
public:
    explicit BudgetScope(TUint64 bytes);
    ~BudgetScope();
    BudgetScope(const BudgetScope&) = delete;
    BudgetScope& operator=(const BudgetScope&) = delete;

private:
    TUint64 limitBefore; // the thread's budget, given back at the end
    TUint64 usedBefore;
};
