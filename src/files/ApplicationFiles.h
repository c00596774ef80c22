// The host's files: every path passes the application path policy and is resolved
// against the application directory.
#pragma once

#include "CAppsString.h"
#include "FileSystemServices.h"

class ApplicationFiles : public FileSystemServices {
public:
    explicit ApplicationFiles(const CAppsString& applicationDirectory)
        : directory(applicationDirectory) {}

    const CAppsString& applicationDirectory() const { return directory; }

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
    CAppsString directory;
};
