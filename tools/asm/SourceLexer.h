// Splits one line of assembly source into tokens.
#pragma once

#include "Types.h"

#include <stdexcept>
#include <string>
#include <vector>

struct Token {
    enum class Kind { Name, Number, Fixed, Text, Comma, Colon, Star, Bar, Open, Close };
    Kind kind;
    std::string text;      // the name, or the bytes of a text
    bool negative = false; // numbers: the sign
    TUint64 magnitude = 0; // numbers: the absolute value; fixed: the value * 2^32
};

class SyntaxError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Tokens of a line without its comment. Raises SyntaxError for malformed numbers, texts
// and stray characters.
std::vector<Token> tokenizeLine(const std::string& line);

// How a token reads in a message: the name, the number or the quoted text.
std::string describe(const Token& token);
