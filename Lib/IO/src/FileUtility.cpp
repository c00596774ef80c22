#include "FileUtility.h"

#include "Types.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <algorithm>

namespace FileUtility {

namespace {

bool isSeparator(char16_t unit) {
    return unit == u'/' || unit == u'\\';
}

QString toQString(const CAppsString& path) {
    return QStringView(path.data(), path.size()).toString();
}

CAppsString fromQString(const QString& text) {
    CAppsString converted;
    converted.append(std::u16string_view(QStringView(text).utf16(), text.size()));
    return converted;
}

bool listEntries(const CAppsString& directory, QDir::Filters kind, Vec<CAppsString>& names) {
    if (directory.isEmpty()) return false;
    const QDir listed(toQString(directory));
    if (!listed.exists() || !listed.isReadable()) return false;
    const QDir::Filters filters = kind | QDir::Hidden | QDir::NoSymLinks | QDir::NoDotAndDotDot;
    for (const QString& name : listed.entryList(filters, QDir::Unsorted)) {
        if (!name.startsWith(u'.')) names.append(fromQString(name));
    }
    return true;
}

} // namespace

// Qt takes "/" on every platform whose own separator is "/" or "\".
CAppsString convertSeparators(const CAppsString& path) {
    const char16_t platformSeparator = QDir::separator().unicode();
    KESTRO_ASSERT(isSeparator(platformSeparator));
    CAppsString converted(path);
    std::replace(converted.begin(), converted.end(), u'\\', u'/');
    return converted;
}

CAppsString join(const CAppsString& base, const CAppsString& relative) {
    if (base.isEmpty()) return relative;
    if (relative.isEmpty()) return base;
    CAppsString joined(base);
    if (!isSeparator(base[base.size() - 1])) joined.append(u'/');
    std::u16string_view rest = relative.view();
    if (isSeparator(rest.front())) rest.remove_prefix(1);
    joined.append(rest);
    return joined;
}

bool isRelative(const CAppsString& path) {
    return QFileInfo(toQString(path)).isRelative();
}

std::string encodeName(const CAppsString& path) {
    return QFile::encodeName(toQString(path)).toStdString();
}

bool fileExists(const CAppsString& path) {
    return !path.isEmpty() && QFile::exists(toQString(path));
}

bool directoryExists(const CAppsString& path) {
    return !path.isEmpty() && QDir(toQString(path)).exists();
}

bool makeDirectory(const CAppsString& path) {
    return !path.isEmpty() && QDir().mkpath(toQString(path));
}

bool removeFile(const CAppsString& path) {
    return !path.isEmpty() && QFile::remove(toQString(path));
}

bool removeDirectory(const CAppsString& path) {
    if (path.isEmpty()) return false;
    const QString name = toQString(path);
    QDir removed(name);
    return !QFileInfo(name).isSymLink() && removed.exists() && removed.removeRecursively();
}

bool renameFile(const CAppsString& from, const CAppsString& to) {
    if (from.isEmpty() || to.isEmpty()) return false;
    const QString target = toQString(to);
    QDir().mkpath(QFileInfo(target).absolutePath());
    return QFile::rename(toQString(from), target);
}

bool renameDirectory(const CAppsString& from, const CAppsString& to) {
    return !from.isEmpty() && !to.isEmpty() && QDir().rename(toQString(from), toQString(to));
}

bool listFiles(const CAppsString& directory, Vec<CAppsString>& names) {
    return listEntries(directory, QDir::Files, names);
}

bool listDirectories(const CAppsString& directory, Vec<CAppsString>& names) {
    return listEntries(directory, QDir::Dirs, names);
}

} // namespace FileUtility
