// The file-system native group 25: existence tests, creation, deletion, listing and
// renaming of files and directories, each through the host's file services, which refuse
// every path that fails the application path policy.
#include "ErrorHandling.h"
#include "FileCall.h"
#include "NativeGroups.h"
#include "StringArray.h"

#include <vector>

namespace {

using PathQuery = bool (FileSystemServices::*)(const OString&);
using PathPairChange = bool (FileSystemServices::*)(const OString&, const OString&);

constexpr TUint32 kTrue = static_cast<TUint32>(-1);

void succeed(bool done) {
    if (!done) throwError(EIOError);
}

// An empty path exists as nothing, without asking the host.
template <PathQuery exists> void answerExists(NativeCall& native, TInt32) {
    FileCall call(native);
    const OString& path = call.string();
    call.answer(!path.isEmpty() && (call.files.*exists)(path) ? kTrue : 0);
}

template <PathQuery service> void change(NativeCall& native, TInt32) {
    FileCall call(native);
    const OString& path = nonEmptyPath(call.string(), "Path is empty");
    succeed((call.files.*service)(path));
    call.pop();
}

void createFile(NativeCall& native, TInt32) {
    FileCall call(native);
    const OString& path = nonEmptyPath(call.string(), "Path is empty");
    succeed(call.files.openOutputFile(path, true) != nullptr);
    call.pop();
}

enum Listed : TInt32 { EFiles, EDirectories };

// The host refuses an empty path itself.
void answerList(NativeCall& native, TInt32 listed) {
    FileCall call(native);
    const OString& path = call.string();
    std::vector<OString> fileNames;
    std::vector<OString> directoryNames;
    succeed(call.files.listDirectory(path, fileNames, directoryNames));
    call.answer(newStringArray(call, listed == EDirectories ? directoryNames : fileNames));
}

void rename(FileCall& call, PathPairChange service, const char* emptySource,
            const char* emptyTarget) {
    const OString& target = call.string();
    const OString& source = call.string();
    nonEmptyPath(source, emptySource);
    nonEmptyPath(target, emptyTarget);
    succeed((call.files.*service)(source, target));
    call.pop();
}

void renameFile(NativeCall& native, TInt32) {
    FileCall call(native);
    rename(call, &FileSystemServices::renameFile, "Source filename is empty",
           "Target filename is empty");
}

void renameDirectory(NativeCall& native, TInt32) {
    FileCall call(native);
    rename(call, &FileSystemServices::renameDirectory, "Source path is empty",
           "Target path is empty");
}

constexpr NativeFunction kFunctions[] = {
    {1, "fileExists", answerExists<&FileSystemServices::fileExists>},
    {2, "directoryExists", answerExists<&FileSystemServices::directoryExists>},
    {3, "deleteFile", change<&FileSystemServices::deleteFile>},
    {4, "deleteDirectory", change<&FileSystemServices::deleteDirectory>},
    {5, "listDirectories", answerList, EDirectories},
    {6, "listFiles", answerList, EFiles},
    {7, "createFile", createFile},
    {8, "createDirectory", change<&FileSystemServices::createDirectory>},
    {9, "renameFile", renameFile},
    {10, "renameDirectory", renameDirectory},
};

} // namespace

constinit const NativeTable kFileSystemNatives{kFunctions};
