// Where the desktop keeps what belongs to one person and one application: the key map
// under the configuration home, the application's files under the data home when its own
// directory is read-only, pictures in the person's pictures folder.
#pragma once

#include "CAppsString.h"

class ApplicationFiles;

#include <QString>

// The application's name: the last part of its directory ("demo" for /opt/demo).
QString applicationName(const CAppsString& directory);
// "$XDG_CONFIG_HOME/kestro/<application>.keymap".
QString defaultKeyMapPath(const CAppsString& directory);
// "$XDG_DATA_HOME/kestro/<application>".
QString personalDataDirectory(const CAppsString& directory);
// When the person cannot write the application directory, or `always`, the personal data
// directory goes on top of it (made when missing; one line says so, or that it cannot be
// made and the application's writes will fail).
void addPersonalDirectoryWhenNeeded(ApplicationFiles& files, bool always);
// A new file name for a screenshot of the application, "<application>-<date>-<time>.png",
// in the person's pictures folder when there is one, else in the personal data directory
// (made when missing).
QString screenshotPath(const CAppsString& directory);
