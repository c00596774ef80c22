#include "ApplicationFiles.h"

#include "ApplicationPaths.h"
#include "FileUtility.h"
#include "Stream.h"

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

std::unique_ptr<KESTRO::InputStream> ApplicationFiles::openInputFile(const OString& path) {
    if (!isValidPath(path)) return nullptr;
    auto stream = std::make_unique<KESTRO::FileInputStream>();
    if (!stream->open(fileSystemPath(directory, path).c_str())) return nullptr;
    return stream;
}

// Without `truncate`, the old content is written first, so that what the caller writes
// follows it.
std::unique_ptr<KESTRO::OutputStream> ApplicationFiles::openOutputFile(const OString& path,
                                                                       bool truncate) {
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

bool ApplicationFiles::deleteFile(const OString& path) {
    if (!isValidPath(path)) return false;
    const CAppsString resolved = resolvePath(directory, path);
    return FileUtility::fileExists(resolved) && FileUtility::removeFile(resolved);
}

bool ApplicationFiles::fileExists(const OString& path) {
    return isValidPath(path) && FileUtility::fileExists(resolvePath(directory, path));
}

bool ApplicationFiles::renameFile(const OString& from, const OString& to) {
    return isValidPath(from) && isValidPath(to) &&
           FileUtility::renameFile(resolvePath(directory, from), resolvePath(directory, to));
}

bool ApplicationFiles::listDirectory(const OString& path, std::vector<OString>& files,
                                     std::vector<OString>& directories) {
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

bool ApplicationFiles::createDirectory(const OString& path) {
    return isValidPath(path) && FileUtility::makeDirectory(resolvePath(directory, path));
}

bool ApplicationFiles::deleteDirectory(const OString& path) {
    if (!isValidPath(path)) return false;
    const CAppsString resolved = resolvePath(directory, path);
    return FileUtility::directoryExists(resolved) && FileUtility::removeDirectory(resolved);
}

bool ApplicationFiles::renameDirectory(const OString& from, const OString& to) {
    return isValidPath(from) && isValidPath(to) &&
           FileUtility::renameDirectory(resolvePath(directory, from), resolvePath(directory, to));
}

bool ApplicationFiles::directoryExists(const OString& path) {
    return isValidPath(path) && FileUtility::directoryExists(resolvePath(directory, path));
}
