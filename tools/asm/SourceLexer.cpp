#include "SourceLexer.h"

#include "Syntax.h"

#include <cctype>

namespace {

bool isNameStart(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_' || c == '.';
}
bool isNamePart(char c) {
    return isNameStart(c) || std::isdigit(static_cast<unsigned char>(c));
}

int digitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return 99;
}

void appendUtf8(std::string& out, TUint32 codePoint) {
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | codePoint >> 6);
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        out += static_cast<char>(0xE0 | codePoint >> 12);
        out += static_cast<char>(0x80 | (codePoint >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | codePoint >> 18);
        out += static_cast<char>(0x80 | (codePoint >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (codePoint >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

class LineLexer {
public:
    explicit LineLexer(const std::string& aLine) : line(aLine) {}

    std::vector<Token> tokens() {
        std::vector<Token> result;
        while (skipBlanks())
            result.push_back(next());
        return result;
    }

private:
    bool skipBlanks() {
        while (at < line.size() && std::isspace(static_cast<unsigned char>(line[at])))
            ++at;
        return at < line.size() && line[at] != ';';
    }

    Token next() {
        const char c = line[at];
        if (c == ',') return punctuation(Token::Kind::Comma);
        if (c == ':') return punctuation(Token::Kind::Colon);
        if (c == '*') return punctuation(Token::Kind::Star);
        if (c == '|') return punctuation(Token::Kind::Bar);
        if (c == '{') return punctuation(Token::Kind::Open);
        if (c == '}') return punctuation(Token::Kind::Close);
        if (c == '"') return text();
        if (c == '-' || std::isdigit(static_cast<unsigned char>(c))) return number();
        if (isNameStart(c)) {
            const std::size_t start = at;
            while (at < line.size() && isNamePart(line[at]))
                ++at;
            return {Token::Kind::Name, line.substr(start, at - start)};
        }
        throw SyntaxError(std::string("unexpected character '") + c + "'");
    }

    Token punctuation(Token::Kind kind) {
        ++at;
        return {kind, ""};
    }

    Token number() {
        Token token{Token::Kind::Number, ""};
        if (line[at] == '-') {
            token.negative = true;
            ++at;
        }
        int radix = 10;
        if (line.compare(at, 2, "0x") == 0 || line.compare(at, 2, "0X") == 0) {
            radix = 16;
            at += 2;
        }
        const std::size_t start = at;
        token.magnitude = digits(radix);
        if (at == start) throw SyntaxError("a number needs digits");
        if (radix == 10 && at < line.size() && line[at] == '.') {
            ++at;
            token.kind = Token::Kind::Fixed;
            token.magnitude = fixedValue(token.magnitude);
        }
        if (at < line.size() && isNamePart(line[at]))
            throw SyntaxError("malformed number near '" + line.substr(start) + "'");
        return token;
    }

    TUint64 digits(int radix) {
        TUint64 value = 0;
        for (; at < line.size() && digitValue(line[at]) < radix; ++at) {
            const auto digit = static_cast<TUint64>(digitValue(line[at]));
            if (value > (~TUint64{0} - digit) / static_cast<TUint64>(radix))
                throw SyntaxError("number too large");
            value = value * static_cast<TUint64>(radix) + digit;
        }
        return value;
    }

    // The integer part and the decimal fraction that follows, times 2^32, rounded to
    // the nearest unit.
    TUint64 fixedValue(TUint64 whole) {
        if (whole >= (TUint64{1} << 31)) throw SyntaxError("fixed-point number too large");
        TUint128 fraction = 0;
        TUint128 scale = 1;
        for (int count = 0; at < line.size() && std::isdigit(static_cast<unsigned char>(line[at]));
             ++at, ++count) {
            if (count < 18) {
                fraction = fraction * 10 + static_cast<unsigned>(line[at] - '0');
                scale *= 10;
            }
        }
        const TUint128 units = ((fraction << 33) + scale) / (2 * scale);
        return (whole << 32) + static_cast<TUint64>(units);
    }

    Token text() {
        Token token{Token::Kind::Text, ""};
        ++at;
        while (true) {
            if (at >= line.size()) throw SyntaxError("text without its closing quote");
            const char c = line[at++];
            if (c == '"') return token;
            if (c != '\\') {
                token.text += c;
                continue;
            }
            if (at >= line.size()) throw SyntaxError("text without its closing quote");
            escape(token.text, line[at++]);
        }
    }

    void escape(std::string& out, char c) {
        switch (c) {
        case 'n': out += '\n'; return;
        case 't': out += '\t'; return;
        case 'r': out += '\r'; return;
        case '0': out += '\0'; return;
        case '\\': out += '\\'; return;
        case '"': out += '"'; return;
        case 'x': {
            if (at + 2 > line.size() || digitValue(line[at]) > 15 || digitValue(line[at + 1]) > 15)
                throw SyntaxError("\\x needs two hexadecimal digits");
            out += static_cast<char>(digitValue(line[at]) * 16 + digitValue(line[at + 1]));
            at += 2;
            return;
        }
        case 'u': {
            const std::size_t close = line.find('}', at);
            if (at >= line.size() || line[at] != '{' || close == std::string::npos ||
                close == at + 1)
                throw SyntaxError("\\u needs a code point in braces, as \\u{e9}");
            TUint32 codePoint = 0;
            for (std::size_t i = at + 1; i < close; ++i) {
                if (digitValue(line[i]) > 15 || codePoint > 0x10FFFF)
                    throw SyntaxError("malformed code point in \\u{...}");
                codePoint = codePoint * 16 + static_cast<TUint32>(digitValue(line[i]));
            }
            if (codePoint > 0x10FFFF) throw SyntaxError("code point beyond U+10FFFF");
            appendUtf8(out, codePoint);
            at = close + 1;
            return;
        }
        default: throw SyntaxError(std::string("unknown escape \\") + c);
        }
    }

    const std::string& line;
    std::size_t at = 0;
};

} // namespace

std::vector<Token> tokenizeLine(const std::string& line) {
    return LineLexer(line).tokens();
}

std::string describe(const Token& token) {
    switch (token.kind) {
    case Token::Kind::Name: return token.text;
    case Token::Kind::Number: return (token.negative ? "-" : "") + std::to_string(token.magnitude);
    case Token::Kind::Fixed: return "a fixed-point number";
    case Token::Kind::Text: return quoteText(token.text);
    case Token::Kind::Comma: return "','";
    case Token::Kind::Colon: return "':'";
    case Token::Kind::Star: return "'*'";
    case Token::Kind::Bar: return "'|'";
    case Token::Kind::Open: return "'{'";
    case Token::Kind::Close: return "'}'";
    }
    return "";
}
