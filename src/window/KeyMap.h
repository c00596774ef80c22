// Which desktop key the application sees for each key a person presses, and which keys the
// host keeps for itself. A key map file changes both; without one every key is itself and
// the host keys are the defaults of HostKeys.h.
//
// The file is INI text: '#' or ';' starts a comment line, and two sections hold
// "KEY = KEY" lines, keys named as Qt names them (W, Space, Return, Up, F5, ...):
//
//     [keys]              ; the desktop key = the key the application sees
//     W = Up
//     Space = Return
//     [host]              ; the host's action = its key, or none
//     fullscreen = F9
//     overlay = none
#pragma once

#include "HostKeys.h"

#include <QString>

#include <map>
#include <optional>
#include <vector>

class KeyMap {
public:
    KeyMap();

    // The map a file holds. Every mistake in it is written to standard error as
    // "FILE:LINE: what is wrong", and then the whole file is set aside: the defaults apply.
    static KeyMap fromFile(const QString& path);

    // The action of a key the host keeps, or nothing for the application's keys.
    std::optional<HostAction> hostActionOf(int qtKey) const;
    // The key the application sees for a desktop key: the key itself unless mapped.
    int applicationKeyOf(int qtKey) const;
    bool isMapped(int qtKey) const { return mapped.count(qtKey) != 0; }

private:
    std::map<int, int> mapped;          // desktop key -> the key the application sees
    std::map<HostAction, int> hostKeys; // action -> its key; a freed action has none
};

// The key a name such as "W", "Space" or "F11" stands for (one key, no modifiers), or
// nothing.
std::optional<int> keyNamed(const QString& name);
// The text a key types when a key map makes it stand for that key: the character of a
// printable key, "\r" for Return, "\b" for Backspace, nothing for the others.
QString textOfKey(int qtKey);
