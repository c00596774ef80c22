// Byte streams over files and memory. Failures are reported by the result (false, 0 or
// -1) and by a call of onFailure(); nothing is raised.
#pragma once

#include "Types.h"
#include "Vec.h"

#include <cstdio>
#include <optional>
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
    // Passes the result on, calling onFailure() first when it is false.
    bool reportFailure(bool succeeded) {
        if (!succeeded) onFailure();
        return succeeded;
    }
    // The value, or 0 after calling onFailure() when there is none.
    TUint32 valueOrFailure(std::optional<TUint32> value) {
        reportFailure(value.has_value());
        return value.value_or(0);
    }

    bool openFlag = false;
};

class OutputStream : public Stream {
public:
    // Writes the low 8 bits of the value.
    virtual bool writeByte(int value) = 0;
    // True when all count bytes were written.
    virtual bool write(const TUint8* data, TUint32 count) = 0;
    virtual TUint32 size() = 0;
    virtual TUint32 position() = 0;
    virtual bool seek(TUint32 position) = 0;
    virtual void close() = 0;
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

// Writes a file from its start, creating or emptying it.
class FileOutputStream : public OutputStream {
public:
    FileOutputStream() = default;
    FileOutputStream(const FileOutputStream&) = delete;
    FileOutputStream& operator=(const FileOutputStream&) = delete;
    ~FileOutputStream() override;

    // Refuses a relative path; creates the missing directories above the file. The flag
    // has no effect.
    bool open(const char* path, bool unusedFlag = false);

    bool writeByte(int value) override;
    bool write(const TUint8* data, TUint32 count) override;
    TUint32 size() override;
    TUint32 position() override;
    // Positions from 0 up to and including the size are allowed.
    bool seek(TUint32 position) override;
    void close() override;

private:
    std::FILE* file = nullptr;
};

// Reads a file; readByte() answers -1 at its end.
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
    // Positions from 0 up to and including the size are allowed.
    bool seek(TUint32 position) override;
    bool atEnd() override;
    void close() override;

private:
    std::FILE* file = nullptr;
};

// Writes into a byte vector, either its own or one the caller keeps. Bytes at the write
// position are overwritten; at the end they are appended.
class MemoryOutputStream : public OutputStream {
public:
    // Writes into a vector of its own, deleted by close().
    MemoryOutputStream();
    // Writes into the caller's vector, which must outlive the stream's use.
    explicit MemoryOutputStream(Vec<unsigned char>& target);
    MemoryOutputStream(const MemoryOutputStream&) = delete;
    MemoryOutputStream& operator=(const MemoryOutputStream&) = delete;
    ~MemoryOutputStream() override;

    // The bytes written so far; null once the stream is closed.
    const Vec<unsigned char>* bytes() const { return buffer; }

    // Fails at a position beyond the size and once the stream is closed.
    bool writeByte(int value) override;
    // Stops at the first byte that cannot be written.
    bool write(const TUint8* data, TUint32 count) override;
    TUint32 size() override;
    TUint32 position() override;
    // Sets the position even beyond the size, where writing then fails.
    bool seek(TUint32 position) override;
    // Lets go of the vector, deleting it when it is the stream's own.
    void close() override;

private:
    Vec<unsigned char>* buffer = nullptr;
    bool ownsBuffer = false;
    TInt32 writePosition = 0;
};

// Reads a copy of a byte buffer; readByte() answers 0 at its end.
class MemoryInputStream : public InputStream {
public:
    MemoryInputStream() = default;
    explicit MemoryInputStream(const std::vector<TUint8>& bytes);

    int readByte() override;
    // A request for more than remains fails and leaves the position at the end.
    bool read(TUint8* buffer, TUint32 count) override;
    TUint32 size() override;
    TUint32 position() override;
    // Sets the position even beyond the size; true only when a byte is there.
    bool seek(TUint32 position) override;
    bool atEnd() override;
    void close() override;
    // Replaces the content by a copy of size bytes and opens the stream.
    virtual void setBuffer(const TUint8* buffer, TUint32 size);

private:
    std::vector<TUint8> bytes;
    TUint32 readPosition = 0;
};

} // namespace KESTRO
