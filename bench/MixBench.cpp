// Times the audio mixer's write callback: 100 ms of 16 kHz output (1600 samples) mixed
// from 32 sounds that all play, each with its own volume. The mix holds the mixer's lock
// for exactly one callback, so the figure is also the longest the lock is held.
//   mix_bench [sounds] [callbacks]      (default: 32 2000)
#include "SoundMix.h"
#include "TimeSummary.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

int main(int argc, char** argv) {
    const int sounds = argc > 1 ? std::atoi(argv[1]) : 32;
    const int callbacks = argc > 2 ? std::atoi(argv[2]) : 2000;
    SoundMix mix;
    std::mt19937 random(7);
    // Ten seconds each, so that no sound ends during the run.
    std::vector<TUint8> bytes(2 * 16000 * 10);
    for (int sound = 0; sound < sounds; ++sound) {
        std::generate(bytes.begin(), bytes.end(), [&] { return static_cast<TUint8>(random()); });
        mix.setVolume(mix.addSound(bytes), 64 + sound * 8);
        mix.play(sound);
    }
    std::vector<TInt16> output(1600);
    std::vector<double> times;
    for (int callback = 0; callback < callbacks; ++callback) {
        if (callback % 90 == 89)
            for (int sound = 0; sound < sounds; ++sound)
                mix.play(sound); // before any ends
        const auto start = std::chrono::steady_clock::now();
        mix.mix(output);
        const std::chrono::duration<double, std::milli> elapsed =
            std::chrono::steady_clock::now() - start;
        times.push_back(elapsed.count());
    }
    reportTimes(std::to_string(sounds) + " sounds, 1600 samples a callback", times);
    return 0;
}
