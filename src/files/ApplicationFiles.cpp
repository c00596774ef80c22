#include "ApplicationFiles.h"

#include "ApplicationPaths.h"
#include "FileUtility.h"
#include "Stream.h"

#include <algorithm>
#include <cstdint>

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

// Every name is appended, except, when `listed` is not kEveryName, a name already in `to`
// from index `listed` on: a name in both layers is listed once.
constexpr std::size_t kEveryName = SIZE_MAX;

void appendNames(const Vec<CAppsString>& names, std::vector<OString>& to, std::size_t listed) {
    for (const CAppsString& name : names) {
        OString text = name.toOString();
        if (listed == kEveryName ||
            std::find(to.begin() + static_cast<std::ptrdiff_t>(listed), to.end(), text) == to.end())
            to.push_back(std::move(text));
    }
}

} // namespace

std::vector<const CAppsString*> ApplicationFiles::readDirectories() const {
    if (!layered()) return {&directory};
    return {&writable, &directory};
}

std::string ApplicationFiles::readablePath(const OString& path) const {
    for (const CAppsString* from : readDirectories())
        if (FileUtility::fileExists(resolvePath(*from, path))) return fileSystemPath(*from, path);
    return fileSystemPath(writable, path);
}

std::unique_ptr<KESTRO::InputStream> ApplicationFiles::openInputFile(const OString& path) {
    if (!isValidPath(path)) return nullptr;
    auto stream = std::make_unique<KESTRO::FileInputStream>();
    if (!stream->open(readablePath(path).c_str())) return nullptr;
    return stream;
}

// Without `truncate`, the old content is written first, so that what the caller writes
// follows it.
std::unique_ptr<KESTRO::OutputStream> ApplicationFiles::openOutputFile(const OString& path,
                                                                       bool truncate) {
    if (!isValidPath(path)) return nullptr;
    const std::string resolved = fileSystemPath(writable, path);
    const std::vector<TUint8> oldContent =
        truncate ? std::vector<TUint8>() : wholeFile(readablePath(path));
    auto stream = std::make_unique<KESTRO::FileOutputStream>();
    if (!stream->open(resolved.c_str())) return nullptr;
    if (!oldContent.empty() &&
        !stream->write(oldContent.data(), static_cast<TUint32>(oldContent.size())))
        return nullptr;
    return stream;
}

bool ApplicationFiles::deleteFile(const OString& path) {
    if (!isValidPath(path)) return false;
    const CAppsString resolved = resolvePath(writable, path);
    return FileUtility::fileExists(resolved) && FileUtility::removeFile(resolved);
}

bool ApplicationFiles::fileExists(const OString& path) {
    if (!isValidPath(path)) return false;
    for (const CAppsString* from : readDirectories())
        if (FileUtility::fileExists(resolvePath(*from, path))) return true;
    return false;
}

bool ApplicationFiles::renameFile(const OString& from, const OString& to) {
    return isValidPath(from) && isValidPath(to) &&
           FileUtility::renameFile(resolvePath(writable, from), resolvePath(writable, to));
}

bool ApplicationFiles::listDirectory(const OString& path, std::vector<OString>& files,
                                     std::vector<OString>& directories) {
    if (!isValidPath(path)) return false;
    bool listed = false;
    const std::size_t firstFile = layered() ? files.size() : kEveryName;
    const std::size_t firstDirectory = layered() ? directories.size() : kEveryName;
    for (const CAppsString* from : readDirectories()) {
        const CAppsString resolved = resolvePath(*from, path);
        Vec<CAppsString> fileNames;
        Vec<CAppsString> directoryNames;
        const bool here = FileUtility::listFiles(resolved, fileNames) &&
                          FileUtility::listDirectories(resolved, directoryNames);
        appendNames(fileNames, files, firstFile);
        appendNames(directoryNames, directories, firstDirectory);
        listed = listed || here;
    }
    return listed;
}

bool ApplicationFiles::createDirectory(const OString& path) {
    return isValidPath(path) && FileUtility::makeDirectory(resolvePath(writable, path));
}

bool ApplicationFiles::deleteDirectory(const OString& path) {
    if (!isValidPath(path)) return false;
    const CAppsString resolved = resolvePath(writable, path);
    return FileUtility::directoryExists(resolved) && FileUtility::removeDirectory(resolved);
}

bool ApplicationFiles::renameDirectory(const OString& from, const OString& to) {
    return isValidPath(from) && isValidPath(to) &&
           FileUtility::renameDirectory(resolvePath(writable, from), resolvePath(writable, to));
}

bool ApplicationFiles::directoryExists(const OString& path) {
    if (!isValidPath(path)) return false;
    for (const CAppsString* from : readDirectories())
        if (FileUtility::directoryExists(resolvePath(*from, path))) return true;
    return false;
}
