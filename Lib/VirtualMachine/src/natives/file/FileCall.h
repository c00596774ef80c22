// The operands of a file or stream native: an array call over bytes that also reaches the
// machine's stream holders and the host's file services, and reads stream handles and
// paths. A stream handle is a reference to a cell whose word is the address of a stream
// holder record, or 0 before a file is opened into it.
#pragma once

#include "FileSystemServices.h"
#include "StreamTable.h"
#include "vector/ArrayCall.h"

#include <memory>

class FileCall : public ArrayCall<ByteElement> {
public:
    explicit FileCall(const NativeCall& call)
        : ArrayCall<ByteElement>(call, ETrue), files(*call.host().files) {}

    FileSystemServices& files;
};

// The path, unless it is empty: then InvalidArgumentException with `emptyMessage`.
const OString& nonEmptyPath(const OString& path, const char* emptyMessage);

// The holder in the handle's cell, or null when the cell holds none yet. A null handle
// raises NullPointerException "NULL pointer"; a cell word that is no holder record raises
// VMException "Invalid TYPEID".
StreamHolder* holderIn(FileCall& call, TVMAddress handle);
// The holder in the handle's cell when it holds one of this TYPEID whose stream is open.
// No holder or a closed stream raises IOException "File is not open"; a holder of the
// other TYPEID raises VMException "Invalid TYPEID".
StreamHolder& openHolderIn(FileCall& call, TVMAddress handle, TInt32 typeId);
KESTRO::InputStream& openReaderIn(FileCall& call, TVMAddress handle);
KESTRO::OutputStream& openWriterIn(FileCall& call, TVMAddress handle);

// Opening a file into a stream handle.
struct FileToOpen {
    const OString& path;
    TVMAddress handle;
};
// Reads the path and, under it, the handle. A null handle raises NullPointerException
// and an empty path InvalidArgumentException "Filename is empty"; then the file the handle
// held until now is closed, so that what its stream has buffered reaches its file before
// a new stream opens, which may be on the same file.
FileToOpen fileToOpen(FileCall& call);
// Stores a new holder record for the holder in the handle's cell; the old record is left
// to the collector.
void storeHolder(FileCall& call, TVMAddress handle, std::unique_ptr<StreamHolder> holder);
