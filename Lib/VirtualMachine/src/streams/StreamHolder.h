// StreamHolder: the owner of the stream of a file the application has opened. The
// application reaches it through a two-word record {TYPEID, stream handle} in a
// GC_CODE_STREAM_HOLDER block of the machine's heap; the holder itself, with its stream,
// lives in host memory in the machine's StreamTable under that handle. Freeing the record
// (the collector, or an explicit release) deletes the stream, which closes the file.
#pragma once

#include "GCObject.h"
#include "Stream.h"
#include "Types.h"

#include <memory>

class StreamHolder : public GCObject {
public:
    static constexpr TInt32 FILE_READER_TYPE_ID = 5;
    static constexpr TInt32 FILE_WRITER_TYPE_ID = 6;

    // The words of the record in machine memory.
    enum Word : TUint32 { ETypeId = 0, EStreamHandle = 4 };
    static constexpr TUint32 kRecordWords = 2;
    static constexpr TUint32 kRecordBytes = 4 * kRecordWords;

    explicit StreamHolder(std::unique_ptr<KESTRO::InputStream> stream);
    explicit StreamHolder(std::unique_ptr<KESTRO::OutputStream> stream);

    TInt32 typeId() const { return type; }
    // False once the stream is closed or deleted.
    bool isOpen() const;
    void close();
    // The stream of a file reader or of a file writer; a holder of the other TYPEID raises
    // VMException "Invalid TYPEID".
    KESTRO::InputStream& getInputStream();
    KESTRO::OutputStream& getOutputStream();
    // Deletes the stream, which closes its file.
    void destruct();

private:
    TInt32 type;
    std::unique_ptr<KESTRO::InputStream> input;   // a file reader's
    std::unique_ptr<KESTRO::OutputStream> output; // a file writer's
};

// The error of a stream holder used as what it is not.
[[noreturn]] void invalidTypeId();
