#include "InstructionTables.h"
#include "TextTesting.h"

#include <gtest/gtest.h>

#include <string>

namespace {

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
    const std::string document = readFile(KESTRO_DOCS_DIR "/assembly-language.md");
    EXPECT_EQ(printedPart(document), instructionTables())
        << "print the tables again with kestro-asm --instruction-tables";
}
} // namespace
