// An application's mixer: its sounds and the stream they play on. The stream's write
// callback mixes on the sound server's thread; destroying the mixer ends the stream first,
// so no callback runs on a destroyed mixer.
#pragma once

#include "GCObject.h"
#include "MixerServer.h"
#include "SoundMix.h"

#include <memory>

class AudioMixer : public GCObject {
public:
    // Without sound the mixer has no stream: its sounds play silently.
    explicit AudioMixer(std::shared_ptr<MixerServer> server);
    ~AudioMixer() override;
    AudioMixer(const AudioMixer&) = delete;
    AudioMixer& operator=(const AudioMixer&) = delete;

    SoundMix& sounds() { return mix; }

private:
    static void write(pa_stream* stream, std::size_t bytes, void* mixer);
    static void underflow(pa_stream* stream, void* mixer);

    std::shared_ptr<MixerServer> server;
    SoundMix mix;
    pa_stream* stream = nullptr;
};
