// The application's log: "LOG: " lines on standard error, and in UTF-8 in the log file
// while one is open.
#pragma once

#include "ApplicationFiles.h"
#include "LogService.h"

#include <memory>

namespace KESTRO {
class OutputStream;
}

class ApplicationLog : public LogService {
public:
    // Log files are opened through the application's files.
    explicit ApplicationLog(const ApplicationFiles& applicationFiles) : files(applicationFiles) {}

    void log(const OString& message) override;
    bool setLogFile(const OString& path) override;

private:
    const ApplicationFiles& files;
    std::shared_ptr<KESTRO::OutputStream> logStream;
};
