#include "FileCall.h"

#include "ErrorHandling.h"
#include "NativeObjectCells.h"

namespace {

[[noreturn]] void fileNotOpen() {
    throwError(EIOError, "File is not open");
}

} // namespace

const OString& nonEmptyPath(const OString& path, const char* emptyMessage) {
    if (path.isEmpty()) throwError(EInvalidArgument, emptyMessage);
    return path;
}

StreamHolder* holderIn(FileCall& call, TVMAddress handle) {
    const TVMAddress record = call.memory().load32(nonNull(handle));
    if (record == 0) return nullptr;
    StreamHolder* holder = call.streams().find(record);
    if (!holder) invalidTypeId();
    return holder;
}

StreamHolder& openHolderIn(FileCall& call, TVMAddress handle, TInt32 typeId) {
    StreamHolder* holder = holderIn(call, handle);
    if (!holder) fileNotOpen();
    if (holder->typeId() != typeId) invalidTypeId();
    if (!holder->isOpen()) fileNotOpen();
    return *holder;
}

KESTRO::InputStream& openReaderIn(FileCall& call, TVMAddress handle) {
    return openHolderIn(call, handle, StreamHolder::FILE_READER_TYPE_ID).getInputStream();
}

KESTRO::OutputStream& openWriterIn(FileCall& call, TVMAddress handle) {
    return openHolderIn(call, handle, StreamHolder::FILE_WRITER_TYPE_ID).getOutputStream();
}

// A cell word that is no holder record is simply replaced.
FileToOpen fileToOpen(FileCall& call) {
    const OString& path = call.string();
    const TVMAddress handle = nonNull(call.word());
    nonEmptyPath(path, "Filename is empty");
    if (StreamHolder* old = call.streams().find(call.memory().load32(handle))) old->close();
    return {path, handle};
}

void storeHolder(FileCall& call, TVMAddress handle, std::unique_ptr<StreamHolder> holder) {
    call.memory().store32(handle, call.streams().add(std::move(holder)));
}
