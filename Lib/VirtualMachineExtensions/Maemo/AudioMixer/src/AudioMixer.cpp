#include "AudioMixer.h"

#include "Types.h"

#include <cstdio>

AudioMixer::AudioMixer(std::shared_ptr<MixerServer> aServer) : server(std::move(aServer)) {
    stream = server->openStream(write, underflow, this);
}

AudioMixer::~AudioMixer() {
    server->closeStream(stream);
}

// The samples are mixed straight into the stream's buffer.
void AudioMixer::write(pa_stream* stream, std::size_t bytes, void* mixer) {
    void* buffer = nullptr;
    if (pa_stream_begin_write(stream, &buffer, &bytes) != 0 || !buffer) return;
    const std::size_t samples = bytes / 2;
    if (samples == 0) {
        pa_stream_cancel_write(stream);
        return;
    }
    static_cast<AudioMixer*>(mixer)->mix.mix({static_cast<TInt16*>(buffer), samples});
    pa_stream_write(stream, buffer, samples * 2, nullptr, 0, PA_SEEK_RELATIVE);
}

void AudioMixer::underflow(pa_stream*, void*) {
    std::fputs("AudioMixer: underflow\n", stderr);
}
