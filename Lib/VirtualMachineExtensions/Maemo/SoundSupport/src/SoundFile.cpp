#include "SoundFile.h"

#include "Stream.h"

SoundFileContent readSoundFile(FileSystemServices& files, const OString& name) {
    const std::unique_ptr<KESTRO::InputStream> stream = files.openInputFile(name);
    if (!stream || !stream->isOpen()) return {{}, SoundFileFailure::ECannotOpen};
    const TUint32 size = stream->size();
    if (size > kLargestSoundFile) return {{}, SoundFileFailure::ETooLarge};
    std::vector<TUint8> bytes(size);
    if (size > 0 && !stream->read(bytes.data(), size)) return {{}, SoundFileFailure::EReadFailed};
    return {std::move(bytes), std::nullopt};
}
