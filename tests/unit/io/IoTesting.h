// Helpers for the stream and file tests: a scratch directory per test, text conversion
// and streams that count their failures.
#pragma once

#include "CAppsString.h"
#include "TextTesting.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

// Gives each test a fresh directory and removes it afterwards.
class ScratchDirectoryTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "kestro-io-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(root); }

    std::string pathOf(const std::string& relative) const { return (root / relative).string(); }
    CAppsString rootText() const { return CAppsString(root.c_str()); }

    std::filesystem::path root;
};

inline CAppsString text(std::u16string_view units) {
    CAppsString converted;
    converted.append(units);
    return converted;
}

inline std::u16string units(const CAppsString& value) {
    return std::u16string(value.view());
}

inline void writeFile(const std::string& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

// A stream that counts the calls of its failure hook.
template <class StreamType> class FailureCounting : public StreamType {
public:
    using StreamType::StreamType;
    void onFailure() override { ++failures; }
    int failures = 0;
};
