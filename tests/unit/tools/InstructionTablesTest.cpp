#include "InstructionTables.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

std::string readText(const char* path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The text between the comment that opens the printed tables and the one that closes them.
std::string printedPart(const std::string& document) {
    const std::size_t opening = document.find("<!-- The tables up to the closing comment");
    const std::size_t start = document.find("-->\n\n", opening);
    const std::size_t end = document.find("\n<!-- End of the printed tables. -->");
    if (opening == std::string::npos || start == std::string::npos || end == std::string::npos ||
        end < start)
        return {};
    return document.substr(start + 5, end - start - 5);
}

TEST(InstructionTables, TheDocumentationShowsThePrintedTables) {
    const std::string document = readText(KESTRO_DOCS_DIR "/assembly-language.md");
    EXPECT_EQ(printedPart(document), instructionTables())
        << "print the tables again with kestro-asm --instruction-tables";
}
} // namespace
