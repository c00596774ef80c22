// The callable parts of a generated program, known before any body is written: the
// generated functions and the class methods, each with its frame layout.
#pragma once

#include <string>
#include <vector>

// A frame as the module describes it: results, then arguments, the return address, then
// locals. Local array variables take two local slots each, from the listed locals on.
struct FrameShape {
    std::string name;
    int results = 0;
    int arguments = 0;
    int locals = 0;
    std::vector<int> referenceArguments; // argument numbers
    std::vector<int> referenceLocals;    // local numbers
    std::vector<int> arrayLocals;        // the first local of each array variable
    std::vector<bool> arrayHoldsReferences;
};

struct MethodShape {
    std::string signature;    // as stored, with the reference depths
    std::vector<int> classes; // module class numbers with an implementation
    FrameShape frame;
    // Whether generated functions may call it; a method that may call functions may not.
    bool callableFromFunctions = false;
};

// How often a program does what a compiler never would (wild addresses, forged records,
// raw instructions), each of which most likely ends the application at once.
enum class Wildness { Careful, Sometimes, Often };

struct ProgramShape {
    std::vector<FrameShape> functions; // function i calls only functions after it
    std::vector<MethodShape> methods;  // class-method records, in module order
    Wildness wildness = Wildness::Careful;
};
