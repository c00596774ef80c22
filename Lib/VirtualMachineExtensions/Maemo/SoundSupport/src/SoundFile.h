// Sample files of the sound extensions, read whole through the host's file service. A file
// larger than kLargestSoundFile is refused before anything is read: its samples would be
// held in memory for as long as the sound exists.
#pragma once

#include "FileSystemServices.h"
#include "OString.h"
#include "Types.h"

#include <optional>
#include <vector>

// 32 MiB: over 17 minutes of the mixer's samples, over 6 of the player's.
constexpr TUint32 kLargestSoundFile = 32 * 1024 * 1024;

enum class SoundFileFailure { ECannotOpen, ETooLarge, EReadFailed };

struct SoundFileContent {
    std::vector<TUint8> bytes;
    std::optional<SoundFileFailure> failure; // when set, `bytes` is empty
};

SoundFileContent readSoundFile(FileSystemServices& files, const OString& name);
