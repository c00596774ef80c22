#include "FileOffsets.h"
#include "Stream.h"

namespace KESTRO {

FileInputStream::~FileInputStream() {
    close();
}

bool FileInputStream::open(const char* path) {
    close();
    if (path && *path) file = std::fopen(path, "rb");
    openFlag = reportFailure(file != nullptr);
    return isOpen();
}

int FileInputStream::readByte() {
    const int value = file ? std::fgetc(file) : EOF;
    return reportFailure(value != EOF) ? value : -1;
}

bool FileInputStream::read(TUint8* buffer, TUint32 count) {
    if (count == 0) return true;
    return reportFailure(file && std::fread(buffer, 1, count, file) == count);
}

TUint32 FileInputStream::size() {
    return valueOrFailure(FileOffsets::size(file));
}

TUint32 FileInputStream::position() {
    return valueOrFailure(FileOffsets::position(file));
}

bool FileInputStream::seek(TUint32 target) {
    return reportFailure(FileOffsets::seek(file, target));
}

bool FileInputStream::atEnd() {
    return !file || position() == size();
}

void FileInputStream::close() {
    openFlag = false;
    if (file) std::fclose(file);
    file = nullptr;
}

} // namespace KESTRO
