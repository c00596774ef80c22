// The part shared by CAppsFileReader and CAppsFileWriter: a file name and an owned stream,
// with the operations both forward. Without a stream they answer false or 0.
#pragma once

#include "CAppsString.h"
#include "GCObject.h"
#include "Types.h"

#include <limits>
#include <memory>
#include <utility>

template <class StreamType> class FileStreamOwner : public GCObject {
public:
    FileStreamOwner() = default;
    // Takes ownership of the stream.
    explicit FileStreamOwner(std::unique_ptr<StreamType> aStream, CAppsString aFileName = {})
        : name(std::move(aFileName)), stream(std::move(aStream)) {}

    const CAppsString& fileName() const { return name; }
    bool isOpen() const { return stream && stream->isOpen(); }
    // Deletes the stream, which closes it.
    void close() { stream.reset(); }
    TUint32 size() { return stream ? stream->size() : 0; }
    TUint32 position() { return stream ? stream->position() : 0; }
    // Refuses a negative position and one that no stream can reach.
    bool seek(TInt64 aPosition) {
        if (!stream || aPosition < 0 || aPosition > std::numeric_limits<TUint32>::max())
            return false;
        return stream->seek(static_cast<TUint32>(aPosition));
    }
    // Moves count bytes on from the current position, or back for a negative count.
    bool skip(TInt32 count) { return seek(static_cast<TInt64>(position()) + count); }

protected:
    StreamType* ownedStream() const { return stream.get(); }

private:
    CAppsString name;
    std::unique_ptr<StreamType> stream;
};
