#include "SoundMix.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

TInt32 SoundMix::addSound(std::span<const TUint8> bytes) {
    Sound sound;
    sound.samples.resize(bytes.size() / 2);
    for (std::size_t index = 0; index < sound.samples.size(); ++index)
        sound.samples[index] = static_cast<TInt16>(bytes[2 * index] | (bytes[2 * index + 1] << 8));
    const QMutexLocker locked(&lock);
    sounds.push_back(std::move(sound));
    return static_cast<TInt32>(sounds.size() - 1);
}

void SoundMix::play(TInt32 index) {
    const QMutexLocker locked(&lock);
    if (Sound* sound = soundAt(index)) {
        sound->position = 0;
        sound->state = State::EPlaying;
    }
}

void SoundMix::stop(TInt32 index) {
    const QMutexLocker locked(&lock);
    Sound* sound = soundAt(index);
    if (!sound) return;
    if (sound->state == State::EPlaying && sound->position < sound->samples.size())
        feedFade(sound->samples[sound->position]);
    sound->state = State::EStopped;
}

void SoundMix::setVolume(TInt32 index, TInt32 volume) {
    const QMutexLocker locked(&lock);
    if (Sound* sound = soundAt(index)) sound->volume = volume;
}

TInt32 SoundMix::volume(TInt32 index) {
    const QMutexLocker locked(&lock);
    const Sound* sound = soundAt(index);
    return sound ? sound->volume : 0;
}

void SoundMix::mix(std::span<TInt16> output) {
    const QMutexLocker locked(&lock);
    for (TInt16& sample : output)
        sample = static_cast<TInt16>(std::clamp<TInt64>(nextSampleSum() >> 8, -32768, 32767));
}

SoundMix::Sound* SoundMix::soundAt(TInt32 index) {
    if (index < 0 || static_cast<std::size_t>(index) >= sounds.size()) return nullptr;
    return &sounds[static_cast<std::size_t>(index)];
}

// The fade term, then every playing sound at its volume; a sound that reaches its end on
// this sample stops and gives 0, which it feeds to the fade like any other last level.
TInt64 SoundMix::nextSampleSum() {
    fadeOffset *= fadeDecay;
    TInt64 sum = static_cast<TInt64>(fadeOffset) * kUnityVolume;
    for (Sound& sound : sounds) {
        if (sound.state != State::EPlaying) continue;
        if (sound.position < sound.samples.size()) {
            sum += TInt64{sound.volume} * sound.samples[sound.position++];
            continue;
        }
        sound.state = State::EStopped;
        feedFade(0);
    }
    return sum;
}

// The decay takes the offset to a hundredth of a sample step in 160 samples.
void SoundMix::feedFade(double level) {
    fadeOffset += level;
    const double magnitude = std::floor(std::abs(fadeOffset));
    fadeDecay = magnitude < 1 ? 0 : std::pow(0.01 / magnitude, 0.00625);
}
