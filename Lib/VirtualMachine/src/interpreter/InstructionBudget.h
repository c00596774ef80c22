// Fuzzing builds (KESTRO_INSTRUCTION_BUDGET defined) can cap the instructions that the
// machines of a thread run, so that a generated program that never ends stops as a fatal
// machine error instead of holding the fuzzer. Other builds have no cap and pay nothing.
#pragma once

#ifdef KESTRO_INSTRUCTION_BUDGET

#include "Types.h"

namespace InstructionBudget {

// Instructions left to run; negative means no cap.
inline thread_local TInt64 remaining = -1;

// Spends one instruction; true once the budget is used up (and from then on).
inline bool spend() {
    if (remaining == 0) return true;
    if (remaining > 0) --remaining;
    return false;
}

} // namespace InstructionBudget

#endif
