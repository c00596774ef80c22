// Paths of the phone's platform files and devices (a sensor's file, a camera device). Each
// has the phone's path as its default and an environment variable that points it elsewhere,
// for tests and for desktops whose sources lie elsewhere (the README lists the variables).
#pragma once

#include <cstdlib>
#include <string>

inline std::string platformPath(const char* variable, const char* phonePath) {
    const char* overridden = std::getenv(variable);
    return overridden && *overridden ? overridden : phonePath;
}
