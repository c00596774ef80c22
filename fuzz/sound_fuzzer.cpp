// Fuzz target: any bytes as a sound file that an application loads into its mixer
// (extension 30, function 2), then plays twice over, at the extreme volumes, stopping
// one mid-way, until both have ended and the fade has died away.
#include "DecoderHost.h"
#include "SoundFile.h"
#include "SoundMix.h"

#include <array>
#include <climits>
#include <cstddef>
#include <cstdint>

namespace {

void playTwice(std::span<const TUint8> bytes) {
    SoundMix mix;
    const TInt32 first = mix.addSound(bytes);
    const TInt32 loud = mix.addSound(bytes);
    mix.setVolume(loud, INT32_MAX);
    std::array<TInt16, 64> output{};
    mix.play(first);
    mix.mix(output);
    mix.play(loud);
    mix.stop(first); // mid-way: its level feeds the fade
    mix.setVolume(first, INT32_MIN);
    mix.play(first);
    mix.stop(loud + 1);
    for (std::size_t mixed = 0; mixed < bytes.size() / 2 + 4 * output.size();
         mixed += output.size())
        mix.mix(output);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    DecoderHost host({data, size});
    const SoundFileContent file = readSoundFile(host, OString("sound"));
    if (file.failure) return 0;
    playTwice(file.bytes);
    return 0;
}
