#include "FileOffsets.h"
#include "Stream.h"

#include <filesystem>
#include <system_error>

namespace KESTRO {

namespace {

// Relative paths are refused; the directories above the file are created when missing.
bool prepareDirectory(const std::filesystem::path& target) {
    if (!target.is_absolute()) return false;
    std::error_code ignored; // a directory that could not be made makes fopen fail
    std::filesystem::create_directories(target.parent_path(), ignored);
    return true;
}

} // namespace

FileOutputStream::~FileOutputStream() {
    close();
}

bool FileOutputStream::open(const char* path, bool /*unusedFlag*/) {
    close();
    if (path && prepareDirectory(path)) file = std::fopen(path, "wb");
    openFlag = reportFailure(file != nullptr);
    return isOpen();
}

bool FileOutputStream::writeByte(int value) {
    return reportFailure(file && std::fputc(value & 0xFF, file) != EOF);
}

bool FileOutputStream::write(const TUint8* data, TUint32 count) {
    return reportFailure(file && std::fwrite(data, 1, count, file) == count);
}

TUint32 FileOutputStream::size() {
    return valueOrFailure(FileOffsets::size(file));
}

TUint32 FileOutputStream::position() {
    return valueOrFailure(FileOffsets::position(file));
}

bool FileOutputStream::seek(TUint32 target) {
    return reportFailure(FileOffsets::seek(file, target));
}

// Buffered bytes reach the file here; losing them is a failure.
void FileOutputStream::close() {
    openFlag = false;
    if (file) reportFailure(std::fclose(file) == 0);
    file = nullptr;
}

} // namespace KESTRO
