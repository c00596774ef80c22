// Helpers for the unit tests: readable string values, raised error codes and file content.
#pragma once

#include "ErrorHandling.h"
#include "OString.h"

#include <fstream>
#include <iterator>
#include <string>

// The string with each code unit cut to 8 bits; the tests use Latin-1 text.
inline std::string latin1(const OString& text) {
    std::string out;
    for (const char16_t unit : text.view())
        out.push_back(static_cast<char>(unit));
    return out;
}

// The error code the call raised, or 0 when it returned normally.
template <class Call> TInt32 raisedCode(Call&& call) {
    clearLastError();
    try {
        call();
    } catch (const ErrorHandlingException&) {
        return lastErrorCode();
    }
    return 0;
}

// The bytes of a file.
inline std::string readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}
