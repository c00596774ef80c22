#include "DesktopPaths.h"

#include "ApplicationFiles.h"
#include "QtText.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <cstdio>
#include <unistd.h>

QString applicationName(const CAppsString& directory) {
    const QString name = QDir(qStringOf(directory)).dirName();
    return name.isEmpty() || name == "." || name == "/" ? QStringLiteral("kestro") : name;
}

QString defaultKeyMapPath(const CAppsString& directory) {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/kestro/" +
           applicationName(directory) + ".keymap";
}

QString personalDataDirectory(const CAppsString& directory) {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/kestro/" +
           applicationName(directory);
}

void addPersonalDirectoryWhenNeeded(ApplicationFiles& files, bool always) {
    const QString shipped = qStringOf(files.applicationDirectory());
    if (!always && access(QFile::encodeName(shipped).constData(), W_OK) == 0) return;
    const QString personal = personalDataDirectory(files.applicationDirectory());
    if (QDir().mkpath(personal))
        std::fprintf(stderr, "kestro: the application's writes go to %s\n", qPrintable(personal));
    else
        std::fprintf(stderr, "kestro: cannot make %s; the application's writes will fail\n",
                     qPrintable(personal));
    files.addPersonalDirectory(appsStringOf(personal));
}

QString screenshotPath(const CAppsString& directory) {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (folder.isEmpty() || !QDir(folder).exists()) {
        folder = personalDataDirectory(directory);
        QDir().mkpath(folder);
    }
    const QString stamp = QDateTime::currentDateTime().toString("yyyyMMdd-hhmmss-zzz");
    return folder + "/" + applicationName(directory) + "-" + stamp + ".png";
}
