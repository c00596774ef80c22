#include "ApplicationLog.h"

#include "ApplicationPaths.h"
#include "Stream.h"

#include <cstdio>
#include <string>

void ApplicationLog::log(const OString& message) {
    std::string line = "LOG: ";
    for (const char16_t unit : message.view())
        line += static_cast<char>(unit & 0xFF);
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), stderr);
    if (!logStream || message.isEmpty()) return;
    const Vec<TUint8> text = message.toUtf8();
    static const TUint8 prefix[] = {'L', 'O', 'G', ':', ' '};
    logStream->write(prefix, sizeof prefix);
    logStream->write(text.data(), static_cast<TUint32>(text.size()));
    logStream->writeByte('\n');
}

// A new log file replaces the old one even when it cannot be opened: later lines are
// then offered to it and dropped.
bool ApplicationLog::setLogFile(const OString& path) {
    if (path.isEmpty()) {
        logStream.reset();
        return true;
    }
    if (!isValidPath(path)) return false;
    auto stream = std::make_shared<KESTRO::FileOutputStream>();
    const bool opened = stream->open(fileSystemPath(files.writableDirectory(), path).c_str());
    logStream = stream;
    return opened;
}
