#include "CommandLine.h"

#include "ApplicationDirectory.h"
#include "HostKeys.h"

#include <charconv>
#include <cstdlib>
#include <cstring>

namespace {

std::string usage(const std::string& program) {
    return "usage: " + program +
           " [--auto] [--window] [--scale N] [--keymap FILE] [--user-data] [Qt options]\n"
           "       " +
           program + " --help | --version\n";
}

std::string helpText(const std::string& program) {
    std::string text = usage(program);
    text += "\nRuns the application whose index.mcb is in the working directory, or in\n"
            "/opt/<program name> when the first argument is --auto.\n\n"
            "Options:\n"
            "  --auto          the application directory is /opt/<program name>\n"
            "  --window        a resizable window instead of the full screen\n"
            "  --scale N       the window at N times the application's screen size (1 to 8;\n"
            "                  implies --window)\n"
            "  --keymap FILE   the key map to use instead of the application's own\n"
            "                  ($XDG_CONFIG_HOME/kestro/<application>.keymap)\n"
            "  --user-data     the application's writes go to $XDG_DATA_HOME/kestro/<application>\n"
            "                  and reads look there first (the rule for a read-only\n"
            "                  application directory, here also for a writable one)\n"
            "  --help          this text\n"
            "  --version       the version\n\n"
            "Keys the host takes for itself (a key map can move them or free them):\n";
    text += "  Alt+arrows      tilt the device half a g that way while held (when it has no\n"
            "                  coordinate file; over a laptop's sensor too)\n";
    for (const HostKey& key : kDefaultHostKeys)
        text += "  " + std::string(key.defaultName) +
                std::string(16 - std::strlen(key.defaultName), ' ') + key.description + "\n";
    return text;
}

CommandLineAnswer usageError(const std::string& program, const std::string& problem) {
    return {2, program + ": " + problem + "\n" + usage(program) + "Try '" + program +
                   " --help' for more.\n"};
}

bool parseScale(const char* text, int& scale) {
    const char* end = text + std::strlen(text);
    const auto [at, error] = std::from_chars(text, end, scale);
    return error == std::errc() && at == end && scale >= 1 && scale <= kMaxScale;
}

} // namespace

std::variant<CommandLine, CommandLineAnswer> parseCommandLine(int argc, char** argv) {
    const std::string program = programBaseName(argv[0]);
    CommandLine line;
    line.qtArguments.push_back(argv[0]);
    bool windowGiven = false;
    bool scaleGiven = false;
    bool keyMapGiven = false;
    bool userDataGiven = false;
    for (int index = 1; index < argc; ++index) {
        const std::string argument = argv[index];
        const bool hasValue = index + 1 < argc;
        if (argument == "--help") return CommandLineAnswer{0, helpText(program)};
        if (argument == "--version") return CommandLineAnswer{0, program + " " KESTRO_VERSION "\n"};
        if (argument == "--window") {
            if (windowGiven) return usageError(program, "--window given twice");
            windowGiven = line.windowed = true;
        } else if (argument == "--scale") {
            if (scaleGiven) return usageError(program, "--scale given twice");
            if (!hasValue || !parseScale(argv[index + 1], line.scale))
                return usageError(program, "--scale needs a whole number from 1 to 8");
            scaleGiven = line.windowed = true;
            ++index;
        } else if (argument == "--keymap") {
            if (keyMapGiven) return usageError(program, "--keymap given twice");
            if (!hasValue || !*argv[index + 1]) return usageError(program, "--keymap needs a file");
            line.keyMapPath = argv[++index];
            keyMapGiven = true;
        } else if (argument == "--user-data") {
            if (userDataGiven) return usageError(program, "--user-data given twice");
            userDataGiven = line.userData = true;
        } else {
            line.qtArguments.push_back(argv[index]);
        }
    }
    line.qtArguments.push_back(nullptr);
    return line;
}

bool displayAvailable(const CommandLine& line) {
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = std::getenv(name);
        if (value && *value) return true;
    }
    for (const char* argument : line.qtArguments)
        if (argument &&
            (std::strcmp(argument, "-platform") == 0 || std::strcmp(argument, "--platform") == 0))
            return true;
    return false;
}
