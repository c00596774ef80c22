// The application's log: lines on standard error, and a log file when one is open.
#pragma once

#include "OString.h"

class LogService {
public:
    virtual ~LogService() = default;
    // Writes one log line.
    virtual void log(const OString& message) = 0;
    // Opens the log file at the application path, or closes it for an empty path; a path
    // the application path policy refuses changes nothing and answers false.
    virtual bool setLogFile(const OString& path) = 0;
};
