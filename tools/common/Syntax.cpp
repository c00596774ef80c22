#include "Syntax.h"

#include "GcCodes.h"
#include "ModuleWriter.h"
#include "NativeGroups.h"
#include "Opcodes.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <vector>

std::string quoteText(const std::string& bytes) {
    std::string out = "\"";
    for (unsigned char c : bytes) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\t': out += "\\t"; break;
        case '\r': out += "\\r"; break;
        default:
            if (c < 0x20 || c == 0x7F) {
                char escape[5];
                std::snprintf(escape, sizeof escape, "\\x%02x", c);
                out += escape;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out + "\"";
}

std::optional<TUint8> opcodeNamed(const std::string& mnemonic) {
    static const std::map<std::string, TUint8> byName = [] {
        std::map<std::string, TUint8> table;
        for (int code = 0; code < 256; ++code) {
            const OpcodeInfo& info = opcodeInfo(static_cast<TUint8>(code));
            if (info.isValid()) table[info.mnemonic] = static_cast<TUint8>(code);
        }
        return table;
    }();
    const auto found = byName.find(mnemonic);
    if (found == byName.end()) return std::nullopt;
    return found->second;
}

std::optional<TInt32> nativeGroupNamed(const std::string& name) {
    for (TInt32 group = 0; group < 256; ++group) {
        const char* groupName = nativeGroupInfo(group).name;
        if (groupName && name == groupName) return group;
    }
    return std::nullopt;
}

std::optional<TInt32> gcCodeNamed(const std::string& name) {
    for (TInt32 code = 0; code < 256; ++code) {
        const char* codeName = gcCodeName(code);
        if (codeName && name == codeName) return code;
    }
    return std::nullopt;
}

namespace {
TUint32 largest(const std::vector<TUint32>& indices,
                const std::vector<ModuleImage::ArrayIndex>& arrays) {
    TUint32 top = 0;
    for (TUint32 index : indices)
        top = std::max(top, index);
    for (const auto& array : arrays)
        top = std::max(top, array.index);
    return top;
}
} // namespace

TUint8 defaultFieldWidth(const ModuleImage::ClassRecord& record) {
    return static_cast<TUint8>(widthFor(largest(record.referenceFields, record.arrayFields)));
}

TUint8 defaultSlotWidth(const ModuleImage::FrameLayout& frame) {
    return static_cast<TUint8>(
        widthFor(std::max(largest(frame.argumentReferenceSlots, frame.argumentArraySlots),
                          largest(frame.localReferenceSlots, frame.localArraySlots))));
}
