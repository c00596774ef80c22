#include "SourceExpander.h"

#include "Syntax.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <sstream>

namespace {

namespace fs = std::filesystem;

using Argument = std::vector<Token>; // the tokens between two commas

struct Macro {
    std::string origin; // of its .macro line
    std::vector<std::string> parameters;
    std::vector<SourceLine> body;
    std::set<std::string> labels; // those the body defines: each expansion has its own
};

bool is(const Token& token, const char* name) {
    return token.kind == Token::Kind::Name && token.text == name;
}

// Whether the line starts by defining a label ("name:").
bool startsWithLabel(const std::vector<Token>& tokens) {
    return tokens.size() >= 2 && tokens[0].kind == Token::Kind::Name &&
           tokens[1].kind == Token::Kind::Colon && tokens[0].text[0] != '.';
}

[[noreturn]] void fail(const std::string& origin, const std::string& message) {
    throw AssemblyError(origin, message);
}

// The tokens between the separators (commas or bars) that stand outside braces.
std::vector<Argument> splitAt(Token::Kind separator, std::vector<Token>::const_iterator begin,
                              std::vector<Token>::const_iterator end, const std::string& origin) {
    std::vector<Argument> parts;
    if (begin == end) return parts;
    parts.emplace_back();
    int depth = 0;
    for (auto token = begin; token != end; ++token) {
        depth += token->kind == Token::Kind::Open ? 1 : token->kind == Token::Kind::Close ? -1 : 0;
        if (depth < 0) fail(origin, "'}' without '{'");
        if (depth == 0 && token->kind == separator) {
            parts.emplace_back();
        } else {
            parts.back().push_back(*token);
        }
    }
    if (depth > 0) fail(origin, "'{' without '}'");
    return parts;
}

// A macro's argument written in braces, without them ("{a} | {b}" is not one such).
Argument unbraced(Argument argument) {
    int depth = 0;
    for (std::size_t i = 0; i < argument.size(); ++i) {
        depth += argument[i].kind == Token::Kind::Open    ? 1
                 : argument[i].kind == Token::Kind::Close ? -1
                                                          : 0;
        if (depth == 0) {
            if (i + 1 != argument.size() || argument.front().kind != Token::Kind::Open)
                return argument;
            argument.pop_back();
            argument.erase(argument.begin());
            return argument;
        }
    }
    return argument;
}

class Expander {
public:
    std::vector<SourceLine> lines;

    void include(const fs::path& path, const std::string& origin) {
        std::ifstream in(path, std::ios::binary);
        if (!in) fail(origin, "cannot open " + path.string());
        const fs::path identity = fs::weakly_canonical(path);
        for (std::size_t i = 0; i < including.size(); ++i) {
            if (including[i].first != identity) continue;
            std::string cycle;
            for (std::size_t j = i; j < including.size(); ++j)
                cycle += including[j].second + " -> ";
            fail(origin, "include cycle: " + cycle + path.string());
        }
        including.emplace_back(identity, path.string());
        read(in, path.string(), path.parent_path());
        including.pop_back();
    }

    void read(std::istream& in, const std::string& name, const fs::path& directory) {
        std::string text;
        for (int number = 1; std::getline(in, text); ++number) {
            const std::string origin = name + ':' + std::to_string(number);
            std::vector<Token> tokens;
            try {
                tokens = tokenizeLine(text);
            } catch (const SyntaxError& error) {
                fail(origin, error.what());
            }
            line(std::move(tokens), origin, directory);
        }
        if (defining) fail(defining->origin, "macro " + definingName + " has no .endm");
    }

private:
    // A line of source, which may hold several statements separated by bars. The lines of
    // a macro's body are kept whole until the macro is used.
    void line(std::vector<Token> tokens, const std::string& origin, const fs::path& directory) {
        if (defining) return record(std::move(tokens), origin);
        for (Argument& part : splitAt(Token::Kind::Bar, tokens.begin(), tokens.end(), origin)) {
            if (defining) {
                record(std::move(part), origin);
            } else {
                statement(std::move(part), origin, directory);
            }
        }
    }

    void statement(std::vector<Token> tokens, const std::string& origin,
                   const fs::path& directory) {
        if (startsWithLabel(tokens)) {
            lines.push_back({{tokens[0], tokens[1]}, origin});
            tokens.erase(tokens.begin(), tokens.begin() + 2);
        }
        if (tokens.empty()) return;
        if (is(tokens[0], ".include")) {
            if (tokens.size() != 2 || tokens[1].kind != Token::Kind::Text)
                fail(origin, ".include takes a file name in double quotes");
            return include((directory / tokens[1].text).lexically_normal(), origin);
        }
        if (is(tokens[0], ".macro")) return define(tokens, origin);
        if (is(tokens[0], ".endm")) fail(origin, ".endm without .macro");
        if (tokens[0].kind == Token::Kind::Name) {
            const auto found = macros.find(tokens[0].text);
            if (found != macros.end())
                return expand(found->first, found->second, tokens, origin, directory);
        }
        for (const Token& token : tokens)
            if (token.kind == Token::Kind::Open || token.kind == Token::Kind::Close)
                fail(origin, "braces only group the argument of a macro");
        lines.push_back({std::move(tokens), origin});
    }

    void define(const std::vector<Token>& tokens, const std::string& origin) {
        if (tokens.size() < 2 || tokens[1].kind != Token::Kind::Name || tokens[1].text[0] == '.')
            fail(origin, ".macro takes a name and its parameters");
        const std::string& name = tokens[1].text;
        if (opcodeNamed(name)) fail(origin, "macro " + name + " has the name of an instruction");
        if (macros.count(name)) fail(origin, "macro " + name + " defined twice");
        Macro macro{origin, {}, {}, {}};
        for (const Argument& parameter :
             splitAt(Token::Kind::Comma, tokens.begin() + 2, tokens.end(), origin)) {
            if (parameter.size() != 1 || parameter[0].kind != Token::Kind::Name)
                fail(origin, "macro " + name + ": parameters are names separated by commas");
            if (std::count(macro.parameters.begin(), macro.parameters.end(), parameter[0].text))
                fail(origin, "macro " + name + ": parameter " + parameter[0].text + " twice");
            macro.parameters.push_back(parameter[0].text);
        }
        definingName = name;
        defining = std::move(macro);
    }

    // A line of the body of the macro being defined.
    void record(std::vector<Token> tokens, const std::string& origin) {
        if (!tokens.empty() && is(tokens[0], ".macro"))
            fail(origin, "a macro cannot be defined inside another");
        if (tokens.empty() || !is(tokens[0], ".endm")) {
            defining->body.push_back({std::move(tokens), origin});
            return;
        }
        const std::vector<std::string>& parameters = defining->parameters;
        for (const SourceLine& bodyLine : defining->body) {
            const std::vector<Token>& body = bodyLine.tokens;
            for (const Argument& part : splitAt(Token::Kind::Bar, body.begin(), body.end(), origin))
                if (startsWithLabel(part) && std::find(parameters.begin(), parameters.end(),
                                                       part[0].text) == parameters.end())
                    defining->labels.insert(part[0].text);
        }
        macros.emplace(definingName, std::move(*defining));
        defining.reset();
    }

    void expand(const std::string& name, const Macro& macro, const std::vector<Token>& tokens,
                const std::string& origin, const fs::path& directory) {
        std::vector<Argument> arguments =
            splitAt(Token::Kind::Comma, tokens.begin() + 1, tokens.end(), origin);
        const bool empty = std::any_of(arguments.begin(), arguments.end(),
                                       [](const Argument& argument) { return argument.empty(); });
        const std::size_t count = macro.parameters.size();
        if (arguments.size() != count || empty)
            fail(origin, "macro " + name + " takes " + std::to_string(count) + " argument" +
                             (count == 1 ? "" : "s"));
        for (Argument& argument : arguments)
            argument = unbraced(std::move(argument));
        if (std::count(expanding.begin(), expanding.end(), name))
            fail(origin, "macro " + name + " uses itself");
        expanding.push_back(name);
        const std::string suffix = "@" + std::to_string(++expansions);
        for (const SourceLine& bodyLine : macro.body)
            line(substituted(bodyLine.tokens, macro, arguments, suffix),
                 origin + ": in macro " + name + " (" + bodyLine.origin + ")", directory);
        expanding.pop_back();
    }

    // A body line with the arguments in place of the parameters and the macro's own labels
    // renamed for this expansion.
    static std::vector<Token> substituted(const std::vector<Token>& tokens, const Macro& macro,
                                          const std::vector<Argument>& arguments,
                                          const std::string& suffix) {
        std::vector<Token> out;
        for (const Token& token : tokens) {
            if (token.kind != Token::Kind::Name) {
                out.push_back(token);
                continue;
            }
            const auto& parameters = macro.parameters;
            const auto parameter = std::find(parameters.begin(), parameters.end(), token.text);
            if (parameter != parameters.end()) {
                const Argument& argument =
                    arguments[static_cast<std::size_t>(parameter - parameters.begin())];
                out.insert(out.end(), argument.begin(), argument.end());
            } else {
                out.push_back(token);
                if (macro.labels.count(token.text)) out.back().text += suffix;
            }
        }
        return out;
    }

    std::map<std::string, Macro> macros;
    std::optional<Macro> defining;
    std::string definingName;
    std::vector<std::pair<fs::path, std::string>> including; // files being read, outermost first
    std::vector<std::string> expanding;                      // macros being expanded
    int expansions = 0;
};

} // namespace

std::vector<SourceLine> expandFile(const std::string& path) {
    Expander expander;
    expander.include(path, path);
    return std::move(expander.lines);
}

std::vector<SourceLine> expandText(const std::string& text, const std::string& name) {
    Expander expander;
    std::istringstream in(text);
    expander.read(in, name, fs::path());
    return std::move(expander.lines);
}
