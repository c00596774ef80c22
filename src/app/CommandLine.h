// What a person asks of kestro on the command line. "--auto" as the first argument takes
// the application directory from the program's name; "--window", "--scale N",
// "--keymap FILE" and "--user-data" are the desktop's own options; every other argument goes on to
// Qt, which takes its own options (-platform, -display, ...) and ignores the rest.
#pragma once

#include <string>
#include <variant>
#include <vector>

struct CommandLine {
    bool windowed = false;
    int scale = 1;
    std::string keyMapPath;         // empty: the application's own key map file, when it exists
    bool userData = false;          // the personal data directory even on a writable application's
    std::vector<char*> qtArguments; // the program's name first, as Qt expects
};

// The command line asked for no application: help or the version (status 0, on standard
// output), or it was wrong (status 2, a usage message on standard error).
struct CommandLineAnswer {
    int status;
    std::string text;
};

constexpr int kMaxScale = 8;

std::variant<CommandLine, CommandLineAnswer> parseCommandLine(int argc, char** argv);

// Whether Qt has a display to open the window on: a platform chosen by QT_QPA_PLATFORM or
// by -platform, or an X server or Wayland compositor named by the environment.
bool displayAvailable(const CommandLine& line);
