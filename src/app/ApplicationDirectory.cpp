#include "ApplicationDirectory.h"

#include <QDir>
#include <cstring>

namespace {
constexpr std::size_t kMaxDirectoryLength = 4096;
}

std::string programBaseName(const char* programPath) {
    const char* slash = std::strrchr(programPath, '/');
    return slash ? slash + 1 : programPath;
}

namespace {
CAppsString fromQString(const QString& text) {
    CAppsString converted;
    converted.append(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                         static_cast<std::size_t>(text.size())));
    return converted;
}
} // namespace

std::optional<CAppsString> applicationDirectory(int argc, char** argv) {
    if (argc >= 2 && std::strcmp(argv[1], "--auto") == 0) {
        const std::string directory = "/opt/" + programBaseName(argv[0]);
        if (directory.size() > kMaxDirectoryLength) return std::nullopt;
        return fromQString(QString::fromStdString(directory));
    }
    return fromQString(QDir::currentPath());
}
