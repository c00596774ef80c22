// The host's file services: every path passes the application path policy and is
// resolved against the application directory.
#include "ApplicationPaths.h"
#include "FileUtility.h"
#include "MainView.h"
#include "Stream.h"

#include <cstdio>

namespace {

std::vector<TUint8> wholeFile(const std::string& path) {
    KESTRO::FileInputStream input;
    std::vector<TUint8> content;
    if (!input.open(path.c_str())) return content;
    content.resize(input.size());
    if (!content.empty() && !input.read(content.data(), static_cast<TUint32>(content.size())))
        content.clear();
    return content;
}

void appendNames(const Vec<CAppsString>& names, std::vector<OString>& to) {
    for (const CAppsString& name : names)
        to.push_back(name.toOString());
}

} // namespace

std::unique_ptr<KESTRO::InputStream> MainView::openInputFile(const OString& path, bool) {
    if (!isValidPath(path)) return nullptr;
    auto stream = std::make_unique<KESTRO::FileInputStream>();
    if (!stream->open(fileSystemPath(directory, path).c_str())) return nullptr;
    return stream;
}

// Without `truncate`, the old content is written first, so that what the caller writes
// follows it.
std::unique_ptr<KESTRO::OutputStream> MainView::openOutputFile(const OString& path, bool truncate) {
    if (!isValidPath(path)) return nullptr;
    const std::string resolved = fileSystemPath(directory, path);
    const std::vector<TUint8> oldContent = truncate ? std::vector<TUint8>() : wholeFile(resolved);
    auto stream = std::make_unique<KESTRO::FileOutputStream>();
    if (!stream->open(resolved.c_str())) return nullptr;
    if (!oldContent.empty() &&
        !stream->write(oldContent.data(), static_cast<TUint32>(oldContent.size())))
        return nullptr;
    return stream;
}

bool MainView::deleteFile(const OString& path) {
    if (!isValidPath(path)) return false;
    const CAppsString resolved = resolvePath(directory, path);
    return FileUtility::fileExists(resolved) && FileUtility::removeFile(resolved);
}

bool MainView::fileExists(const OString& path) {
    return isValidPath(path) && FileUtility::fileExists(resolvePath(directory, path));
}

bool MainView::renameFile(const OString& from, const OString& to) {
    return isValidPath(from) && isValidPath(to) &&
           FileUtility::renameFile(resolvePath(directory, from), resolvePath(directory, to));
}

bool MainView::listDirectory(const OString& path, std::vector<OString>& files,
                             std::vector<OString>& directories, bool) {
    if (!isValidPath(path)) return false;
    const CAppsString resolved = resolvePath(directory, path);
    Vec<CAppsString> fileNames;
    Vec<CAppsString> directoryNames;
    const bool listed = FileUtility::listFiles(resolved, fileNames) &&
                        FileUtility::listDirectories(resolved, directoryNames);
    appendNames(fileNames, files);
    appendNames(directoryNames, directories);
    return listed;
}

bool MainView::createDirectory(const OString& path) {
    return isValidPath(path) && FileUtility::makeDirectory(resolvePath(directory, path));
}

bool MainView::deleteDirectory(const OString& path) {
    if (!isValidPath(path)) return false;
    const CAppsString resolved = resolvePath(directory, path);
    return FileUtility::directoryExists(resolved) && FileUtility::removeDirectory(resolved);
}

bool MainView::renameDirectory(const OString& from, const OString& to) {
    return isValidPath(from) && isValidPath(to) &&
           FileUtility::renameDirectory(resolvePath(directory, from), resolvePath(directory, to));
}

bool MainView::directoryExists(const OString& path) {
    return isValidPath(path) && FileUtility::directoryExists(resolvePath(directory, path));
}

void MainView::log(const OString& message) {
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
bool MainView::setLogFile(const OString& path) {
    if (path.isEmpty()) {
        logStream.reset();
        return true;
    }
    if (!isValidPath(path)) return false;
    auto stream = QSharedPointer<KESTRO::FileOutputStream>::create();
    const bool opened = stream->open(fileSystemPath(directory, path).c_str());
    logStream = stream;
    return opened;
}
