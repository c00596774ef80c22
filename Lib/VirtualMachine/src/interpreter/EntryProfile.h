// The entry profile, a diagnostic: with KESTRO_ENTRY_PROFILE naming a file, the interpreter
// counts every entry of the decoded code that runs, and when the process ends the file
// lists how many times each kind of entry ran, one line "NAME COUNT" for each kind that
// ran, sorted by name: fused kinds by their names in FusedKinds.h, single instructions by
// their mnemonics. Without the variable nothing is counted and nothing costs: the profile
// takes the entries' handlers when the code is decoded and leads each entry to a counting
// handler of the interpreter instead, which counts it and goes on to the handler taken.
#pragma once

#include "DecodedCode.h"
#include "Types.h"

#include <array>
#include <cstddef>
#include <vector>

class EntryProfile {
public:
    // Whether KESTRO_ENTRY_PROFILE names a file.
    static bool requested();

    // Takes the handlers of `code`'s entries (`fusedHandlers`, the handler of each fused
    // kind, tells the fused ones) and leads the entries of the fused array to
    // `countFused`, those of the plain array to `countPlain`. The file is written when the
    // process ends.
    void attach(DecodedCode& code, const void* const* fusedHandlers, const void* countFused,
                const void* countPlain);
    // Whether the entries that run are counted.
    bool counting() const { return !handlers.empty(); }
    // Counts the entry at `index` of the fused (plain) array and gives its handler.
    const void* fusedRan(std::ptrdiff_t index) { return ran(static_cast<std::size_t>(index)); }
    const void* plainRan(std::ptrdiff_t index) {
        return ran(fusedEntries + static_cast<std::size_t>(index));
    }

    // The kinds: the opcodes, then the fused kinds.
    static constexpr std::size_t kKinds = 256 + EFusedKindCount;

private:
    const void* ran(std::size_t entry) {
        ++totals[kinds[entry]];
        return handlers[entry];
    }

    // The handlers and kinds of the fused array's entries, then of the plain array's.
    std::vector<const void*> handlers;
    std::vector<TUint16> kinds;
    std::size_t fusedEntries = 0;
    // Writes the counts of every machine's entries, `totals`, to the file.
    static void write();
    static inline std::array<TUint64, kKinds> totals{};
};
