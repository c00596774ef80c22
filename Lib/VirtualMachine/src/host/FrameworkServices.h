// What the machine and its natives ask of the host. The operations are listed in the
// order the host interface has always had them; the file operations come first, in
// their own base class.
#pragma once

#include "AddressSpace.h"
#include "OString.h"
#include "Types.h"

#include <memory>
#include <vector>

namespace KESTRO {
class InputStream;
class OutputStream;
} // namespace KESTRO

// File access confined to the application directory. A path that the application path
// policy refuses answers false, null or 0 at once.
class FileSystemServices {
public:
    virtual ~FileSystemServices() = default;
    // A stream writing the file; without `truncate` the old content stays in front.
    virtual std::unique_ptr<KESTRO::OutputStream> openOutputFile(const OString& path,
                                                                 bool truncate) = 0;
    virtual std::unique_ptr<KESTRO::InputStream> openInputFile(const OString& path, bool flag) = 0;
    virtual bool deleteFile(const OString& path) = 0;
    virtual bool fileExists(const OString& path) = 0;
    virtual TInt32 fileQuery() = 0;
    virtual bool renameFile(const OString& from, const OString& to) = 0;
    // Appends the names of the directory's plain files and of its subdirectories.
    virtual bool listDirectory(const OString& path, std::vector<OString>& files,
                               std::vector<OString>& directories, bool flag) = 0;
    virtual bool createDirectory(const OString& path) = 0;
    virtual bool deleteDirectory(const OString& path) = 0;
    virtual bool renameDirectory(const OString& from, const OString& to) = 0;
    virtual bool directoryExists(const OString& path) = 0;
};

class FrameworkServices : public FileSystemServices {
public:
    virtual TInt32 systemQuery7() = 0;
    virtual TInt32 systemQuery6() = 0;
    virtual OString pathSeparator() = 0;
    virtual OString platformName() = 0;
    // Milliseconds since 1970-01-01 UTC, low 32 bits.
    virtual TInt32 currentTimeMillis() = 0;
    // Milliseconds since the application was loaded, low 32 bits.
    virtual TInt32 elapsedMillis() = 0;
    // Requests a repaint of that back-buffer rectangle.
    virtual void updateArea(TInt32 x, TInt32 y, TInt32 width, TInt32 height) = 0;
    // Writes one log line.
    virtual void log(const OString& message) = 0;
    // Opens (or, for an empty path, closes) the log file.
    virtual bool setLogFile(const OString& path) = 0;
    // The text the application gives when it ends itself with a message.
    virtual void showExitMessage(const OString& text) = 0;
    // Ends the process at once with status 0.
    virtual void exitApplication() = 0;
    virtual TInt32 hostQuery() = 0;
    virtual TInt32 hostRequest(TInt32 first, TInt32 second) = 0;
    virtual void hostRequest(bool flag, TInt32 value) = 0;
    virtual void screenRequest(bool flag) = 0;
    // 1 portrait, 2 landscape.
    virtual void setOrientation(TInt32 orientation) = 0;
    virtual TInt32 getOrientation() = 0;
    // A device extension's function, given the operand stack's top index and the address
    // of its slot 0; returns the new top index.
    virtual TInt32 callExtension(TInt32 extension, TInt32 function, TInt32 top,
                                 TVMAddress stackAddress) = 0;
    virtual void getScreenSize(TInt32& width, TInt32& height) = 0;
    virtual void bitmapRequest(bool flag) = 0;
    virtual void addScreenOrientationListener(TVMAddress listener) = 0;
    virtual void removeScreenOrientationListener(TVMAddress listener) = 0;
    // A periodic timer calling the listener back; returns its id (10 or more).
    virtual TInt32 addTimer(TVMAddress listener, TInt32 delay) = 0;
    // Stops the timer; returns its listener, or 0 when no timer has that id.
    virtual TVMAddress removeTimer(TInt32 id) = 0;
    virtual bool updateTimerDelay(TInt32 id, TInt32 newDelay) = 0;
    virtual TInt32 hostQuery2() = 0;
    virtual OString applicationDirectory() = 0;
};
