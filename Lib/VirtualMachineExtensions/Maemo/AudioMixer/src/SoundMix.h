// The mixer's sounds and their mix: any number of sounds of 16-bit samples, each playing
// or stopped with a volume of its own (256 is unity), mixed into one stream of samples.
// A sound that stops mid-way leaves its last level in a fade offset that decays to nothing
// over about 160 samples, so the output glides to zero instead of clicking.
//
// The stream's thread mixes while the application's thread loads, plays and stops
// sounds: every operation takes the mix's lock. An index outside the list of sounds is
// ignored (its volume reads as 0).
#pragma once

#include "Types.h"

#include <QMutex>
#include <span>
#include <vector>

class SoundMix {
public:
    static constexpr TInt32 kUnityVolume = 256;

    // Adds a sound of the bytes' little-endian 16-bit samples (an odd last byte is
    // dropped), stopped, at unity volume; returns its index.
    TInt32 addSound(std::span<const TUint8> bytes);
    // Plays the sound from its start.
    void play(TInt32 index);
    // Stops the sound; one that was playing feeds its next sample to the fade offset.
    void stop(TInt32 index);
    void setVolume(TInt32 index, TInt32 volume);
    TInt32 volume(TInt32 index);

    // The next output samples, playing sounds advanced by as many.
    void mix(std::span<TInt16> output);

private:
    enum class State { EPlaying = 1, EStopped = 2 };
    struct Sound {
        std::vector<TInt16> samples;
        std::size_t position = 0;
        TInt32 volume = kUnityVolume;
        State state = State::EStopped;
    };

    Sound* soundAt(TInt32 index);
    TInt64 nextSampleSum();
    void feedFade(double level);

    QMutex lock;
    std::vector<Sound> sounds;
    double fadeOffset = 0; // in sample steps
    double fadeDecay = 0;  // per output sample
};
