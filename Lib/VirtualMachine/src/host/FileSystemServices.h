// The host's files: access confined to the application directory. A path that the
// application path policy refuses answers false or null at once.
#pragma once

#include "OString.h"

#include <memory>
#include <vector>

namespace KESTRO {
class InputStream;
class OutputStream;
} // namespace KESTRO

class FileSystemServices {
public:
    virtual ~FileSystemServices() = default;
    // A stream writing the file; without `truncate` the old content stays in front.
    virtual std::unique_ptr<KESTRO::OutputStream> openOutputFile(const OString& path,
                                                                 bool truncate) = 0;
    virtual std::unique_ptr<KESTRO::InputStream> openInputFile(const OString& path) = 0;
    virtual bool deleteFile(const OString& path) = 0;
    virtual bool fileExists(const OString& path) = 0;
    // Creates the target's missing directory first.
    virtual bool renameFile(const OString& from, const OString& to) = 0;
    // Appends the names of the directory's plain files and of its subdirectories.
    virtual bool listDirectory(const OString& path, std::vector<OString>& files,
                               std::vector<OString>& directories) = 0;
    // Creates the directory with every missing parent.
    virtual bool createDirectory(const OString& path) = 0;
    // Deletes the directory with everything in it.
    virtual bool deleteDirectory(const OString& path) = 0;
    virtual bool renameDirectory(const OString& from, const OString& to) = 0;
    virtual bool directoryExists(const OString& path) = 0;
};
