#include "EntryProfile.h"

#include "Opcodes.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unordered_map>
#include <utility>

namespace {

const char* profileFile() {
    const char* file = std::getenv("KESTRO_ENTRY_PROFILE");
    return file && *file != '\0' ? file : nullptr;
}

constexpr const char* kFusedKindNames[] = {
#define KESTRO_FUSED_KIND_NAME(name, sequence) #name,
    KESTRO_FUSED_KINDS(KESTRO_FUSED_KIND_NAME)
#undef KESTRO_FUSED_KIND_NAME
};

std::string kindName(std::size_t kind) {
    if (kind >= 256) return kFusedKindNames[kind - 256];
    const char* mnemonic = opcodeInfo(static_cast<TUint8>(kind)).mnemonic;
    return mnemonic ? mnemonic : "invalid";
}

} // namespace

bool EntryProfile::requested() {
    return profileFile() != nullptr;
}

void EntryProfile::write() {
    std::vector<std::pair<std::string, TUint64>> lines;
    for (std::size_t kind = 0; kind < kKinds; ++kind) {
        if (totals[kind] > 0) lines.emplace_back(kindName(kind), totals[kind]);
    }
    std::sort(lines.begin(), lines.end());
    std::FILE* file = std::fopen(profileFile(), "w");
    if (!file) {
        std::fprintf(stderr, "cannot write the entry profile to %s\n", profileFile());
        return;
    }
    for (const auto& [name, count] : lines)
        std::fprintf(file, "%s %llu\n", name.c_str(), static_cast<unsigned long long>(count));
    std::fclose(file);
}

void EntryProfile::attach(DecodedCode& code, const void* const* fusedHandlers,
                          const void* countFused, const void* countPlain) {
    static const bool written = std::atexit(write) == 0;
    (void)written;
    std::unordered_map<const void*, TUint16> fusedKinds;
    for (int kind = 0; kind < EFusedKindCount; ++kind)
        fusedKinds.emplace(fusedHandlers[kind], static_cast<TUint16>(256 + kind));
    handlers.clear();
    kinds.clear();
    const auto take = [&](std::span<DecodedOp> entries, const void* counter) {
        for (DecodedOp& entry : entries) {
            const auto fused = fusedKinds.find(entry.handler);
            kinds.push_back(fused != fusedKinds.end() ? fused->second : entry.opcode);
            handlers.push_back(std::exchange(entry.handler, counter));
        }
    };
    take(code.fusedEntries(), countFused);
    fusedEntries = handlers.size();
    take(code.plainEntries(), countPlain);
}
