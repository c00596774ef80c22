#include "ApplicationDirectory.h"

#include "QtText.h"

#include <QDir>
#include <cstring>

namespace {
constexpr std::size_t kMaxDirectoryLength = 4096;
}

std::string programBaseName(const char* programPath) {
    const char* slash = std::strrchr(programPath, '/');
    return slash ? slash + 1 : programPath;
}

std::optional<CAppsString> applicationDirectory(int argc, char** argv) {
    if (argc >= 2 && std::strcmp(argv[1], "--auto") == 0) {
        const std::string directory = "/opt/" + programBaseName(argv[0]);
        if (directory.size() > kMaxDirectoryLength) return std::nullopt;
        return appsStringOf(QString::fromStdString(directory));
    }
    return appsStringOf(QDir::currentPath());
}
