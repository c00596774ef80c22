// The file-system native group 25: existence tests, creation, deletion, listing and
// renaming of files and directories, each through the host's file services, which refuse
// every path that fails the application path policy.
#include "ErrorHandling.h"
#include "FileCall.h"
#include "StringArray.h"
#include "VirtualMachine.h"

#include <vector>

namespace {

using PathQuery = bool (FileSystemServices::*)(const OString&);
using PathPairChange = bool (FileSystemServices::*)(const OString&, const OString&);

constexpr TUint32 kTrue = static_cast<TUint32>(-1);

void succeed(bool done) {
    if (!done) throwError(EIOError);
}

// 1 and 2: an empty path exists as nothing, without asking the host.
void answerExists(FileCall& call, PathQuery exists) {
    const OString& path = call.string();
    call.answer(!path.isEmpty() && (call.files.*exists)(path) ? kTrue : 0);
}

// 3, 4 and 8.
void change(FileCall& call, PathQuery service) {
    const OString& path = nonEmptyPath(call.string(), "Path is empty");
    succeed((call.files.*service)(path));
    call.pop();
}

void createFile(FileCall& call) {
    const OString& path = nonEmptyPath(call.string(), "Path is empty");
    succeed(call.files.openOutputFile(path, true) != nullptr);
    call.pop();
}

// 5 and 6: the host refuses an empty path itself.
void answerList(FileCall& call, bool directories) {
    const OString& path = call.string();
    std::vector<OString> fileNames;
    std::vector<OString> directoryNames;
    succeed(call.files.listDirectory(path, fileNames, directoryNames));
    call.answer(newStringArray(call, directories ? directoryNames : fileNames));
}

// 9 and 10.
void rename(FileCall& call, PathPairChange service, const char* emptySource,
            const char* emptyTarget) {
    const OString& target = call.string();
    const OString& source = call.string();
    nonEmptyPath(source, emptySource);
    nonEmptyPath(target, emptyTarget);
    succeed((call.files.*service)(source, target));
    call.pop();
}

} // namespace

void VirtualMachine::fileSystemNative(TInt32 function) {
    FileCall call(NativeCall(*this, 25));
    switch (function) {
    case 1: return answerExists(call, &FileSystemServices::fileExists);
    case 2: return answerExists(call, &FileSystemServices::directoryExists);
    case 3: return change(call, &FileSystemServices::deleteFile);
    case 4: return change(call, &FileSystemServices::deleteDirectory);
    case 5: return answerList(call, true);
    case 6: return answerList(call, false);
    case 7: return createFile(call);
    case 8: return change(call, &FileSystemServices::createDirectory);
    case 9:
        return rename(call, &FileSystemServices::renameFile, "Source filename is empty",
                      "Target filename is empty");
    case 10:
        return rename(call, &FileSystemServices::renameDirectory, "Source path is empty",
                      "Target path is empty");
    default: unknownNativeFunction("FileSystem:");
    }
}
