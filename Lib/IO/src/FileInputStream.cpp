#include "Stream.h"

namespace KESTRO {

FileInputStream::~FileInputStream() {
    close();
}

bool FileInputStream::open(const char* path) {
    close();
    if (path && *path) file = std::fopen(path, "rb");
    if (!file) onFailure();
    openFlag = file != nullptr;
    return isOpen();
}

int FileInputStream::readByte() {
    const int value = file ? std::fgetc(file) : EOF;
    if (value == EOF) {
        onFailure();
        return -1;
    }
    return value;
}

bool FileInputStream::read(TUint8* buffer, TUint32 count) {
    if (count == 0) return true;
    if (file && std::fread(buffer, 1, count, file) == count) return true;
    onFailure();
    return false;
}

TUint32 FileInputStream::size() {
    if (!file) {
        onFailure();
        return 0;
    }
    const long current = std::ftell(file);
    if (current < 0 || std::fseek(file, 0, SEEK_END) != 0) {
        onFailure();
        return 0;
    }
    const long end = std::ftell(file);
    if (std::fseek(file, current, SEEK_SET) != 0 || end < 0) {
        onFailure();
        return 0;
    }
    return static_cast<TUint32>(end);
}

TUint32 FileInputStream::position() {
    const long current = file ? std::ftell(file) : -1;
    if (current < 0) {
        onFailure();
        return 0;
    }
    return static_cast<TUint32>(current);
}

bool FileInputStream::seek(TUint32 target) {
    if (!file || target > size() || std::fseek(file, static_cast<long>(target), SEEK_SET) != 0) {
        onFailure();
        return false;
    }
    return true;
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
