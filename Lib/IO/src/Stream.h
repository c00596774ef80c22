// Byte streams over files and memory.
#pragma once

#include "Types.h"

#include <cstdio>
#include <vector>

namespace KESTRO {

class Stream {
public:
    virtual ~Stream() = default;
    virtual bool isOpen() const { return openFlag; }
    // Called whenever an operation fails.
    virtual void onFailure() {}

protected:
    Stream() = default;
    bool openFlag = false;
};

class InputStream : public Stream {
public:
    // The next byte as 0 to 255; what a stream returns at its end depends on the stream.
    virtual int readByte() = 0;
    // True when exactly count bytes were read.
    virtual bool read(TUint8* buffer, TUint32 count) = 0;
    virtual TUint32 size() = 0;
    virtual TUint32 position() = 0;
    virtual bool seek(TUint32 position) = 0;
    virtual bool atEnd() = 0;
    virtual void close() = 0;
};

class FileInputStream : public InputStream {
public:
    FileInputStream() = default;
    FileInputStream(const FileInputStream&) = delete;
    FileInputStream& operator=(const FileInputStream&) = delete;
    ~FileInputStream() override;

    bool open(const char* path);

    int readByte() override;
    bool read(TUint8* buffer, TUint32 count) override;
    TUint32 size() override;
    TUint32 position() override;
    bool seek(TUint32 position) override;
    bool atEnd() override;
    void close() override;

private:
    std::FILE* file = nullptr;
};

class MemoryInputStream : public InputStream {
public:
    MemoryInputStream() = default;
    explicit MemoryInputStream(const std::vector<TUint8>& bytes);

    int readByte() override;
    bool read(TUint8* buffer, TUint32 count) override;
    TUint32 size() override;
    TUint32 position() override;
    bool seek(TUint32 position) override;
    bool atEnd() override;
    void close() override;
    virtual void setBuffer(const TUint8* buffer, TUint32 size);

private:
    std::vector<TUint8> bytes;
    TUint32 readPosition = 0;
};

} // namespace KESTRO
