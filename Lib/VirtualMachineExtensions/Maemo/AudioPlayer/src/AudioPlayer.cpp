#include "AudioPlayer.h"

#include <algorithm>
#include <cstdio>

AudioPlayer::AudioPlayer(std::shared_ptr<PlayerServer> aServer, std::vector<TUint8> samples)
    : server(std::move(aServer)), data(std::move(samples)) {}

AudioPlayer::~AudioPlayer() {
    stop();
}

void AudioPlayer::start() {
    pa_context* context = server->readyContext();
    if (stream || !context) return;
    static constexpr pa_sample_spec kFormat{PA_SAMPLE_S16LE, 44100, 1};
    stream = pa_stream_new(context, "tamso-audio-player", &kFormat, nullptr);
    if (!stream) return;
    pa_stream_set_started_callback(stream, started, this);
    pa_stream_set_state_callback(stream, stateChanged, this);
    pa_stream_set_underflow_callback(stream, underflow, this);
    pa_stream_connect_playback(stream, nullptr, nullptr, PA_STREAM_NOFLAGS, nullptr, nullptr);
}

// The state callback goes too: the stream may report its end after the player is gone.
void AudioPlayer::stop() {
    if (!stream) return;
    if (draining) {
        pa_operation_cancel(draining);
        pa_operation_unref(draining);
        draining = nullptr;
    }
    pa_stream_set_write_callback(stream, nullptr, nullptr);
    pa_stream_set_started_callback(stream, nullptr, nullptr);
    pa_stream_set_underflow_callback(stream, nullptr, nullptr);
    pa_stream_set_state_callback(stream, nullptr, nullptr);
    pa_stream_disconnect(stream);
    pa_stream_unref(stream);
    stream = nullptr;
}

void AudioPlayer::stateChanged(pa_stream* stream, void* player) {
    if (pa_stream_get_state(stream) == PA_STREAM_READY)
        static_cast<AudioPlayer*>(player)->prepare();
}

// Playback waits until the server holds enough (prebuffering), or until the whole block
// is written (see writeBlock).
void AudioPlayer::prepare() {
    pa_operation* prebuffering = pa_stream_prebuf(stream, nullptr, nullptr);
    if (!prebuffering) {
        std::fputs("BUG: pa_stream_prebuf() returned NULL\n", stderr);
        return stop();
    }
    pa_operation_unref(prebuffering);
    position = 0;
    startedState = Started::ENotYet;
    pa_stream_set_write_callback(stream, write, this);
    if (const std::size_t writable = pa_stream_writable_size(stream);
        writable > 0 && writable != static_cast<std::size_t>(-1))
        writeBlock(writable);
}

void AudioPlayer::write(pa_stream*, std::size_t bytes, void* player) {
    static_cast<AudioPlayer*>(player)->writeBlock(bytes);
}

// A block shorter than the prebuffering never starts by itself: once all of it is
// written, playback is started explicitly. The server asks again only once it has played
// a good part of what it holds, so one request is filled with as many repeats as fit:
// short blocks repeat at once.
void AudioPlayer::writeBlock(std::size_t bytes) {
    while (bytes > 0 && !blockWritten()) {
        const std::size_t count = std::min(bytes, data.size() - position);
        pa_stream_write(stream, data.data() + position, count, nullptr, 0, PA_SEEK_RELATIVE);
        position += count;
        bytes -= count;
        if (blockWritten() && !blockEnded()) return;
    }
}

// Starts playback when it has not started yet, and the next repeat if there is one;
// false when the player had to stop.
bool AudioPlayer::blockEnded() {
    if (startedState != Started::EYes) {
        pa_operation* triggering = pa_stream_trigger(stream, nullptr, nullptr);
        if (!triggering) {
            std::fputs("BUG: pa_stream_trigger() returned NULL\n", stderr);
            stop();
            return false;
        }
        pa_operation_unref(triggering);
    }
    if (repeatCount > 0) {
        --repeatCount;
        position = 0;
    }
    return true;
}

void AudioPlayer::started(pa_stream*, void* player) {
    static_cast<AudioPlayer*>(player)->startedState = Started::EYes;
}

void AudioPlayer::underflow(pa_stream*, void* player) {
    auto* self = static_cast<AudioPlayer*>(player);
    if (self->blockWritten()) self->stopOncePlayed();
}

// An underflow arrives late: the repeats written after the server ran dry may still wait
// there, and the server holds them back for prebuffering. Draining plays them out, and
// the stream ends once it is done.
void AudioPlayer::stopOncePlayed() {
    if (draining) return;
    draining = pa_stream_drain(stream, drained, this);
    if (!draining) stop();
}

void AudioPlayer::drained(pa_stream*, int, void* player) {
    auto* self = static_cast<AudioPlayer*>(player);
    pa_operation_unref(self->draining);
    self->draining = nullptr;
    self->stop();
}
