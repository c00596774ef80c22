// The host's files: every path passes the application path policy and is resolved
// against the application directory. An application directory the person cannot write
// (an application installed read-only) gets a personal directory on top of it: writes go
// there, reads look there first and then in the application directory, and listings
// merge the two. Without one, everything happens in the application directory alone.
#pragma once

#include "CAppsString.h"
#include "FileSystemServices.h"

#include <string>

class ApplicationFiles : public FileSystemServices {
public:
    explicit ApplicationFiles(const CAppsString& applicationDirectory)
        : directory(applicationDirectory), writable(applicationDirectory) {}

    const CAppsString& applicationDirectory() const { return directory; }
    // Where the application's writes go: the personal directory when there is one.
    const CAppsString& writableDirectory() const { return writable; }
    // From now on writes go to `personal`, and reads look there first.
    void addPersonalDirectory(const CAppsString& personal) { writable = personal; }

    std::unique_ptr<KESTRO::OutputStream> openOutputFile(const OString& path,
                                                         bool truncate) override;
    std::unique_ptr<KESTRO::InputStream> openInputFile(const OString& path) override;
    bool deleteFile(const OString& path) override;
    bool fileExists(const OString& path) override;
    bool renameFile(const OString& from, const OString& to) override;
    bool listDirectory(const OString& path, std::vector<OString>& files,
                       std::vector<OString>& directories) override;
    bool createDirectory(const OString& path) override;
    bool deleteDirectory(const OString& path) override;
    bool renameDirectory(const OString& from, const OString& to) override;
    bool directoryExists(const OString& path) override;

private:
    bool layered() const { return writable.view() != directory.view(); }
    // The directories a read looks in, the personal one first.
    std::vector<const CAppsString*> readDirectories() const;
    // The file system path of the first existing file for a read; the path in the
    // writable directory when none exists.
    std::string readablePath(const OString& path) const;

    CAppsString directory;
    CAppsString writable;
};
