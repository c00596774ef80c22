// Reads and checks the bytes of a module file. Every violation of the format raises
// ModuleFormatError with the byte offset and the reason.
#pragma once

#include "ModuleImage.h"

#include <cstddef>
#include <span>

class ModuleReader {
public:
    explicit ModuleReader(std::span<const TUint8> aFile) : file(aFile) {}

    // The identifier comes first, so that a module that is already loaded can be
    // recognised before the rest is read.
    std::array<TUint8, kModuleIdLength> readIdentifier();
    // Everything after the identifier. Call after readIdentifier().
    ModuleImage readBody(const std::array<TUint8, kModuleIdLength>& identifier);

    // Reads the whole file.
    static ModuleImage read(std::span<const TUint8> file);

private:
    [[noreturn]] void fail(ModuleFormatError::Kind kind, std::size_t at,
                           const std::string& why) const;
    void need(std::size_t count, const char* what) const;
    TUint8 byte(const char* what);
    TUint32 u32(const char* what);
    TUint32 sized(int width, const char* what);
    TUint32 field(WidthEntry entry, const char* what) { return sized(widths[entry], what); }
    TUint8 indexWidth(const char* what);
    TUint8 arrayFlag(const char* what);
    std::string string(const char* what);

    std::vector<TUint32> indexList(int width, const char* what);
    std::vector<ModuleImage::ArrayIndex> arrayList(int width, const char* what);

    void readHeaderWidths();
    void readGlobalFunctions(ModuleImage& image);
    void readClassMethods(ModuleImage& image);
    void readClasses(ModuleImage& image);
    void readFrames(ModuleImage& image);
    void readStrings(ModuleImage& image);
    void readCode(ModuleImage& image);

    std::span<const TUint8> file;
    std::size_t position = 0;
    std::array<TUint8, kWidthCount> widths{};
};
