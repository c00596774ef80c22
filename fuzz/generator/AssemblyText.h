// Assembly source being written: directives, labels and indented instructions, with a
// supply of fresh label names.
#pragma once

#include <string>

// A number as the assembler reads it.
inline std::string number(long long value) {
    return std::to_string(value);
}

class AssemblyText {
public:
    void directive(const std::string& text) { source += text + '\n'; }
    void instruction(const std::string& text) { source += "    " + text + '\n'; }
    void label(const std::string& name) { source += name + ":\n"; }
    std::string freshLabel() { return "l" + std::to_string(labels++); }
    const std::string& text() const { return source; }

private:
    std::string source;
    int labels = 0;
};
