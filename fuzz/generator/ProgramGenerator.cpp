#include "ProgramGenerator.h"

#include "AssemblyText.h"
#include "BodyWriter.h"
#include "ProgramLayout.h"
#include "ProgramShape.h"

#include <array>
#include <span>

using namespace ProgramLayout;

namespace {

std::string list(const std::vector<int>& values) {
    std::string text;
    for (const int value : values)
        text += (text.empty() ? "" : ", ") + number(value);
    return text;
}

// Every frame has a few locals more than its statements need, so that a native that reads
// more operands than were pushed reads them, not what lies below the frame.
constexpr int kPaddingLocals = 6;

// Class numbers, as ProgramLayout::kClassNames lists them.
enum ClassNumber { Error, Base, Derived, App, Listener };

// The application's events: a signature with a place for each parameter's depth marks,
// the number of parameters (receiver included) and the class that implements it.
struct EventMethod {
    const char* before; // before the receiver's depth marks
    const char* after;  // the rest of the signature
    int parameters;
    ClassNumber receiver;
};
constexpr EventMethod kEvents[] = {
    {"<", "application>.draw to<canvas>", 2, App},
    {"<", "application>.key pressed<keyevent>", 2, App},
    {"<", "application>.key released<keyevent>", 2, App},
    {"<", "application>.pointer event<int>at x<int>y<int>modifiers<int>", 5, App},
    {"<", "application>.pointer pressed at<position>", 2, App},
    {"<", "application>.pointer dragged to<position>", 2, App},
    {"<", "application>.pointer released at<position>", 2, App},
    {"<", "application>.exit event", 1, App},
    {"<", "application>.foreground event", 1, App},
    {"<", "application>.background event", 1, App},
    {"<", "systemtimerlistener>.systemtimerevent", 1, Listener},
    {"<", "screenorientationlistener>.screen orientation changed to<orientation>", 2, Listener},
};

class Generator {
public:
    explicit Generator(FuzzChoices& someChoices) : choices(someChoices) {
        plainFrame.name = "plain";
        plainFrame.locals = kPaddingLocals;
    }

    std::string run() {
        shapeProgram();
        constexpr const char* kWildness[] = {"careful", "sometimes wild", "often wild"};
        text.directive("; " + std::string(kWildness[static_cast<int>(shape.wildness)]));
        declare();
        text.directive(".code");
        writeStartUp();
        writeRuntimeSupport();
        writeFunctions();
        writeMethods();
        return text.text();
    }

private:
    FrameShape randomFrame(const std::string& name, int arguments, int maxResults) {
        FrameShape frame;
        frame.name = name;
        frame.arguments = arguments;
        frame.results = choices.number(0, maxResults);
        frame.locals = kPaddingLocals + choices.number(0, 4);
        for (int i = 0; i < frame.arguments; ++i)
            if (choices.flag()) frame.referenceArguments.push_back(i);
        int plainLocals = frame.locals;
        if (frame.locals >= 2 && choices.flag()) {
            plainLocals -= 2;
            frame.arrayLocals.push_back(plainLocals);
            frame.arrayHoldsReferences.push_back(choices.flag());
        }
        for (int i = 0; i < plainLocals; ++i)
            if (choices.flag()) frame.referenceLocals.push_back(i);
        return frame;
    }

    void shapeProgram() {
        const int wildness = choices.index(8);
        shape.wildness = wildness < 4   ? Wildness::Careful
                         : wildness < 7 ? Wildness::Sometimes
                                        : Wildness::Often;
        const int functions = choices.number(1, 5);
        for (int i = 0; i < functions; ++i)
            shape.functions.push_back(randomFrame("f" + number(i), choices.number(0, 3), 1));
        shape.methods.push_back({"<" + depthMarks() + "base>.work<int>",
                                 {Base, Derived},
                                 randomFrame("work", 2, 1),
                                 true});
        shape.methods.push_back({"<" + depthMarks() + "base>.name",
                                 {Base, Derived, App, Listener},
                                 randomFrame("name", 1, 1),
                                 true});
        int event = 0;
        for (const EventMethod& method : kEvents) {
            if (choices.oneIn(4)) continue;
            std::vector<int> classes = {method.receiver};
            if (choices.oneIn(4)) classes.push_back(Derived);
            shape.methods.push_back({method.before + depthMarks() + method.after, classes,
                                     randomFrame("event" + number(event++), method.parameters, 0),
                                     false});
        }
    }

    bool careful() const { return shape.wildness == Wildness::Careful; }

    // The receiver's reference depth: one star, now and then none or two.
    std::string depthMarks() {
        if (careful() || !choices.oneIn(8)) return "*";
        return choices.flag() ? "" : "**";
    }

    void declareFrame(const FrameShape& frame) {
        text.directive(".frame " + frame.name);
        text.directive("    args " + number(frame.arguments));
        text.directive("    results " + number(frame.results));
        text.directive("    locals " + number(frame.locals));
        const int firstLocal = frame.results + frame.arguments + 1;
        std::vector<int> arguments;
        for (const int argument : frame.referenceArguments)
            arguments.push_back(frame.results + argument);
        if (!arguments.empty()) text.directive("    argrefs " + list(arguments));
        std::vector<int> locals;
        for (const int local : frame.referenceLocals)
            locals.push_back(firstLocal + local);
        if (!locals.empty()) text.directive("    localrefs " + list(locals));
        std::string arrays;
        for (std::size_t i = 0; i < frame.arrayLocals.size(); ++i)
            arrays += std::string(i == 0 ? "" : ", ") +
                      (frame.arrayHoldsReferences[i] ? "ref " : "value ") +
                      number(firstLocal + frame.arrayLocals[i]);
        if (!arrays.empty()) text.directive("    localarrays " + arrays);
    }

    void declare() {
        text.directive(".globals " + number(kGlobalWords));
        text.directive(".class Error");
        text.directive("    refs 2");
        text.directive(".class Base");
        text.directive("    refs 1, 2");
        text.directive("    arrays ref 3, value 5");
        text.directive(".class Derived : Base");
        text.directive("    refs 1, 2, 7");
        text.directive("    arrays ref 3, value 5");
        text.directive(".class App : Base");
        text.directive("    refs 1, 2");
        text.directive("    arrays ref 3, value 5");
        text.directive(".class Listener : Derived");
        text.directive("    refs 1");
        declareFrame(plainFrame);
        text.directive(".frame internal_throw");
        text.directive("    args 2");
        text.directive("    argrefs 1");
        text.directive(".frame one_reference");
        text.directive("    args 1");
        text.directive("    argrefs 0");
        for (const FrameShape& frame : shape.functions)
            declareFrame(frame);
        for (const MethodShape& method : shape.methods)
            declareFrame(method.frame);
        text.directive(".function \"::global::init\" init, plain");
        text.directive(".function \"main\" main, plain");
        internalThrow = careful() ? 0 : choices.index(4);
        if (internalThrow != 3)
            text.directive(".function \"vminternalthrow<" +
                           std::string(!careful() && choices.oneIn(8) ? "*" : "") + "int>,<" +
                           depthMarks() + "string>\" internal_throw, internal_throw");
        uncaught = careful() ? 0 : choices.index(4);
        if (uncaught != 3)
            text.directive(".function \"vmprintthrowableandexit<" + depthMarks() +
                           "throwable>\" uncaught, one_reference");
        for (std::size_t i = 0; i < shape.methods.size(); ++i) {
            const MethodShape& method = shape.methods[i];
            text.directive(".method \"" + method.signature + "\"");
            for (const int classNumber : method.classes)
                text.directive("    impl " + number(classNumber) + " method" +
                               number(static_cast<long long>(i)) + ", " + method.frame.name);
        }
    }

    void globalField(int word) {
        text.instruction("globals");
        text.instruction("field " + number(word));
    }

    // The registers, arrays and objects every program starts with; the application
    // object and a timer, mostly.
    void writeStartUp() {
        text.label("init");
        globalField(kResetExceptionWord);
        text.instruction("new OBJECT, 3");
        text.instruction("dup");
        text.instruction("setclass Error");
        text.instruction("store");
        for (int i = 0; i < kRegistersPerKind; ++i) {
            globalField(registerWord(Kind::Integer, i));
            text.instruction("push " + number(choices.interestingWord()));
            text.instruction("store");
            globalField(registerWord(Kind::String, i));
            text.instruction("str \"" +
                             std::string(choices.from(std::span<const std::string_view>(kTexts))) +
                             "\"");
            text.instruction("store");
            globalField(registerWord(Kind::Object, i));
            text.instruction("new OBJECT, " + number(kObjectWords));
            text.instruction("dup");
            const int classNumber = !careful() && choices.oneIn(8) ? choices.index(5) : Base + i;
            text.instruction("setclass " + number(classNumber));
            text.instruction("store");
            for (const int field : {kReferenceArrayField, kValueArrayField}) {
                if (choices.oneIn(4)) continue;
                globalField(registerWord(Kind::Object, i));
                text.instruction("load");
                text.instruction("field " + number(field));
                text.instruction("newarray 4");
            }
            globalField(registerWord(Kind::Long, i));
            text.instruction("push64 " + number(static_cast<long long>(choices.doubleWord())));
            text.instruction("pack 2");
            text.instruction("store");
            globalField(registerWord(Kind::Any, i));
            text.instruction("push " + number(choices.interestingWord()));
            text.instruction(choices.flag() ? "box" : "boxdata");
            text.instruction("store");
        }
        for (int i = 0; i < kArrayCount; ++i) {
            if (choices.oneIn(8)) continue;
            globalField(arrayWord(i));
            text.instruction("newarray " + number(kArrayElementSizes[static_cast<std::size_t>(i)]));
            const int group = kArrayGroups[static_cast<std::size_t>(i)];
            const int slots = group >= 4 && group <= 6 ? group - 2 : 1;
            for (int element = choices.index(4); element > 0; --element) {
                globalField(arrayWord(i));
                for (int slot = 0; slot < slots; ++slot) {
                    if (group == 7) {
                        globalField(registerWord(choices.flag() ? Kind::String : Kind::Object,
                                                 choices.index(kRegistersPerKind)));
                        text.instruction("load");
                    } else {
                        text.instruction("push " + number(choices.interestingWord()));
                    }
                }
                text.instruction("native " + number(group) + ", 19"); // appendElement
            }
        }
        if (!choices.oneIn(8)) {
            globalField(registerWord(Kind::Object, App - Base));
            text.instruction("load");
            text.instruction("native 32, 5"); // setApplicationObject
        }
        if (!choices.oneIn(4)) {
            globalField(registerWord(Kind::Object, Listener - Base));
            text.instruction("load");
            text.instruction("push " + number(choices.index(100)));
            text.instruction("native 33, 1");            // Timer create
            globalField(registerWord(Kind::Integer, 0)); // keep the timer's id
            text.instruction("pick -2");
            text.instruction("store");
            text.instruction("adjust -1");
        }
        BodyWriter(choices, text, shape, plainFrame, 0, true).writeBody(choices.index(4));
        text.label("main");
        BodyWriter(choices, text, shape, plainFrame, 0, true).writeBody(choices.number(0, 12));
    }

    // vminternalthrow makes an Error of the code and the message and throws it, or
    // returns; vmprintthrowableandexit exits, returns or throws again.
    void writeRuntimeSupport() {
        text.label("internal_throw"); // code, message, return address
        if (internalThrow == 1) {
            text.instruction("ret 0, 3");
        } else {
            text.instruction("new OBJECT, 3");
            text.instruction("dup");
            text.instruction("setclass " + number(internalThrow == 2 ? choices.index(5) : Error));
            text.instruction("dup");
            text.instruction("field 1");
            text.instruction("pick -5");
            text.instruction("store");
            text.instruction("dup");
            text.instruction("field 2");
            text.instruction("pick -4");
            text.instruction("store");
            text.instruction("throw");
        }
        text.label("uncaught"); // exception, return address
        switch (uncaught) {
        case 0: text.instruction("native 32, 1"); break; // exit
        case 1: text.instruction("ret 0, 2"); break;
        default: text.instruction("pick -2"); text.instruction("throw");
        }
    }

    void writeFunctions() {
        for (std::size_t i = 0; i < shape.functions.size(); ++i) {
            text.label(shape.functions[i].name);
            BodyWriter(choices, text, shape, shape.functions[i], static_cast<int>(i) + 1, true)
                .writeBody(choices.number(0, 8));
        }
    }

    // Methods that functions call may not call functions; event methods may.
    void writeMethods() {
        const int none = static_cast<int>(shape.functions.size());
        for (std::size_t i = 0; i < shape.methods.size(); ++i) {
            const MethodShape& method = shape.methods[i];
            text.label("method" + number(static_cast<long long>(i)));
            BodyWriter(choices, text, shape, method.frame, method.callableFromFunctions ? none : 0,
                       !method.callableFromFunctions)
                .writeBody(choices.number(0, 8));
        }
    }

    FuzzChoices& choices;
    AssemblyText text;
    ProgramShape shape;
    FrameShape plainFrame;
    int internalThrow = 0;
    int uncaught = 0;
};

} // namespace

std::string generateProgram(FuzzChoices& choices) {
    return Generator(choices).run();
}
