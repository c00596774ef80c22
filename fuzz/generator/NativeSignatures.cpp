#include "NativeSignatures.h"

#include <map>
#include <string>
#include <utility>

namespace {

using Table = std::map<std::pair<int, int>, std::string>;

void add(Table& table, int group, int function, const std::string& signature) {
    table[{group, function}] = signature;
}

// The eight variants of a string family that takes a pattern after the string: bit 0 adds
// a range after the pattern, bit 1 a last flag, bit 2 makes the pattern a character.
void patternFamily(Table& table, int first) {
    for (int variant = 0; variant < 8; ++variant)
        add(table, 8, first + variant,
            std::string("s") + ((variant & 4) ? "c" : "s") + ((variant & 1) ? "r" : "") +
                ((variant & 2) ? "f" : ""));
}

// The replace families: string, pattern, [range,] replacement, [flag]; bit 0 adds the flag,
// bit 1 makes the replacement a character, bit 2 adds the range.
void replaceFamily(Table& table, int first) {
    for (int variant = 0; variant < 8; ++variant)
        add(table, 8, first + variant,
            std::string("ss") + ((variant & 4) ? "r" : "") + ((variant & 2) ? "c" : "s") +
                ((variant & 1) ? "f" : ""));
}

void strings(Table& table) {
    const std::pair<int, const char*> rows[] = {
        {1, "s"},      {2, "ss"},     {4, "ss"},     {5, "sci"},     {7, "ssr"},    {8, "ssi"},
        {9, "ssri"},   {10, "s"},     {11, "s"},     {12, "si"},     {14, "s"},     {15, "s"},
        {32, "s"},     {33, "sr"},    {34, "sf"},    {35, "srf"},    {44, "ss"},    {45, "ssf"},
        {46, "ss"},    {47, "ssf"},   {48, "ss"},    {49, "si"},     {50, "ss"},    {51, "ssf"},
        {52, "sc"},    {53, "scf"},   {57, "ssi"},   {58, "sci"},    {59, "ssri"},  {60, "ss"},
        {61, "sc"},    {62, "ss"},    {63, "sc"},    {64, "ss"},     {65, "sc"},    {66, "si"},
        {67, "srs"},   {68, "src"},   {93, "si"},    {94, "sr"},     {119, "s"},    {120, "si"},
        {121, "s"},    {122, "si"},   {123, "s"},    {124, "s"},     {125, "s"},    {126, "s"},
        {127, "s"},    {128, "s"},    {129, "c"},    {130, "c"},     {131, "c"},    {132, "c"},
        {133, "c"},    {134, "i"},    {135, "ii"},   {136, "s"},     {137, "si"},   {138, "ssf"},
        {139, "ssrf"}, {140, "ss"},   {141, "ss"},   {142, "ss"},    {143, "ss"},   {144, "ss"},
        {145, "ss"},   {146, "ss"},   {147, "ssf"},  {148, "ssr"},   {149, "ssrf"}, {150, "sr"},
        {151, ""},     {152, "srs"},  {153, "sr"},   {154, "srsr"},  {155, "srs"},  {156, "srsf"},
        {157, "srs"},  {158, "srsf"}, {159, "srss"}, {160, "srssf"},
    };
    for (const auto& [function, signature] : rows)
        add(table, 8, function, signature);
    for (const int first : {16, 24, 36, 95, 103, 111})
        patternFamily(table, first);
    add(table, 8, 16, "ss"); // find has no variants of its own
    for (const int first : {69, 77, 85})
        replaceFamily(table, first);
}

void arrays(Table& table) {
    const std::pair<int, const char*> rows[] = {
        {2, "aa"},   {3, "aei"}, {4, ""},      {5, "aai"},   {6, "ai"},   {7, "ai"},    {8, "ai"},
        {9, "a"},    {10, "a"},  {11, "a"},    {12, "a"},    {13, "aai"}, {14, "aari"}, {15, "aei"},
        {16, "aa"},  {17, "ae"}, {18, "aa"},   {19, "ae"},   {20, "ai"},  {21, "ai"},   {22, "ar"},
        {23, "ai"},  {24, "ai"}, {25, "a"},    {26, "ara"},  {27, "are"}, {28, "aar"},  {29, "ae"},
        {81, "ara"}, {82, "ar"}, {83, "arar"}, {84, "arar"},
    };
    for (const int group : {1, 3, 4, 5, 6, 7})
        for (const auto& [function, signature] : rows)
            add(table, group, function, signature);
}

// Size and Position have the same functions.
void pairs(Table& table) {
    const std::pair<int, const char*> rows[] = {
        {1, "v"},  {2, "vv"}, {3, "vii"},  {4, "v"},    {5, "v"},
        {6, "vi"}, {7, "vi"}, {8, "iiii"}, {9, "iiii"},
    };
    for (const int group : {15, 16})
        for (const auto& [function, signature] : rows)
            add(table, group, function, signature);
}

// Each row: the group, its first and last function of one signature, the signature.
struct Run {
    int group;
    int first;
    int last;
    const char* signature;
};
constexpr Run kRuns[] = {
    // Number, Char
    {27, 1, 2, "i"},
    {27, 3, 3, "ii"},
    {10, 1, 2, "ic"},
    {10, 3, 8, "c"},
    {10, 9, 9, "i"},
    // Long
    {12, 1, 1, "l"},
    {12, 2, 3, "ll"},
    {12, 5, 10, "ll"},
    {12, 11, 12, "l"},
    {12, 13, 33, "ll"},
    {12, 34, 34, "l"},
    {12, 35, 36, ""},
    {12, 37, 37, "l"},
    {12, 38, 38, "i"},
    // DateTime
    {29, 1, 1, "h"},
    {29, 2, 3, "hh"},
    {29, 4, 4, "hiiiiiii"},
    {29, 5, 6, "hiiii"},
    {29, 7, 13, "h"},
    {29, 14, 20, "hi"},
    {29, 21, 21, "h"},
    {29, 22, 29, "hh"},
    // Color and Rectangle (Size and Position: pairs()): a value changed through its
    // address (the receiver, pushed first) or given by value, one int a word
    {13, 1, 1, "v"},
    {13, 2, 2, "vv"},
    {13, 3, 3, "viiii"},
    {13, 4, 7, "v"},
    {13, 8, 11, "vi"},
    {13, 12, 13, "ii"},
    {13, 14, 24, ""},
    {17, 1, 1, "v"},
    {17, 2, 2, "vv"},
    {17, 3, 3, "viiii"},
    {17, 4, 11, "v"},
    {17, 12, 13, "vii"},
    {17, 14, 19, "vi"},
    {17, 20, 21, "iiiiiiii"},
    // Range, Encoder, Hash
    {14, 1, 1, "v"},
    {14, 2, 2, "vv"},
    {14, 3, 4, "vii"},
    {14, 5, 6, "v"},
    {14, 7, 8, "vi"},
    {14, 9, 10, "rr"},
    {14, 11, 12, "vi"},
    {28, 1, 1, "s"},
    {28, 2, 2, "b"},
    {34, 1, 1, "hi"},
    {34, 2, 2, "bi"},
    {34, 3, 3, "hb"},
    {34, 4, 4, "h"},
    // System, Debug, Timer
    {32, 1, 1, ""},
    {32, 2, 2, "s"},
    {32, 3, 4, ""},
    {32, 5, 5, "o"},
    {32, 6, 8, ""},
    {32, 9, 9, "i"},
    {32, 13, 13, "ii"},
    {32, 14, 15, "i"},
    {30, 1, 2, "s"},
    {30, 3, 3, ""},
    {33, 1, 1, "oi"},
    {33, 2, 2, "i"},
    {33, 3, 3, "ii"},
    // Files and streams
    {24, 1, 1, "hs"},
    {24, 2, 2, "hi"},
    {24, 3, 4, "h"},
    {22, 1, 1, "hsf"},
    {22, 2, 2, "hi"},
    {22, 3, 4, "h"},
    {23, 1, 2, "h"},
    {23, 3, 3, "hi"},
    {21, 1, 2, "h"},
    {21, 3, 3, "hb"},
    {21, 4, 4, "hiib"},
    {25, 1, 8, "s"},
    {25, 9, 10, "ss"},
    // Fixed, Float, Math
    {11, 1, 1, "v"},
    {11, 2, 3, "i"},
    {11, 4, 4, "s"},
    {11, 5, 6, "x"},
    {11, 7, 11, "xx"},
    {11, 12, 15, "vx"},
    {11, 16, 17, "v"},
    {11, 18, 23, "xx"},
    {11, 24, 24, "vi"},
    {11, 25, 25, "v"},
    {11, 26, 28, "x"},
    {11, 29, 30, ""},
    {36, 0, 0, "x"},
    {36, 1, 4, "yy"},
    {36, 5, 5, "y"},
    {36, 6, 9, "vy"},
    {36, 10, 10, "y"},
    {26, 1, 9, "x"},
    {26, 10, 10, "xx"},
    {26, 11, 11, "x"},
    {26, 12, 12, "ii"},
    {26, 13, 13, "xx"},
    {26, 14, 15, "ii"},
    {26, 16, 16, "xx"},
    {26, 17, 18, "ii"},
    {26, 19, 19, "xx"},
    {26, 20, 22, ""},
};

const Table& signatures() {
    static const Table table = [] {
        Table built;
        strings(built);
        arrays(built);
        pairs(built);
        for (const Run& run : kRuns)
            for (int function = run.first; function <= run.last; ++function)
                add(built, run.group, function, run.signature);
        return built;
    }();
    return table;
}

} // namespace

const char* nativeSignature(int group, int function) {
    const auto found = signatures().find({group, function});
    return found == signatures().end() ? nullptr : found->second.c_str();
}
