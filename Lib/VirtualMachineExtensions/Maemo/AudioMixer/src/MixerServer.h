// The mixer's connection to the sound server: a threaded main loop, whose thread runs the
// streams' callbacks, and a context on it. Mixers share it with their extension, so the
// loop outlives every stream on it.
#pragma once

#include <pulse/context.h>
#include <pulse/stream.h>
#include <pulse/thread-mainloop.h>

class MixerServer {
public:
    // Connects and waits for the context, for kSoundServerWait at most; without a server
    // it writes one line and the mixers play silently.
    MixerServer();
    ~MixerServer();
    MixerServer(const MixerServer&) = delete;
    MixerServer& operator=(const MixerServer&) = delete;

    // A playback stream of 16 kHz mono 16-bit samples, ready, with the callbacks set (all
    // given `owner`); null without sound. The write callback runs on the loop's thread.
    pa_stream* openStream(pa_stream_request_cb_t write, pa_stream_notify_cb_t underflow,
                          void* owner);
    // Ends the stream, its callbacks removed first, under the loop's lock: once this
    // returns, no callback of the stream runs.
    void closeStream(pa_stream* stream);

private:
    // Waits under the loop's lock until `settled(subject)` or the deadline; the state
    // callbacks wake the wait.
    template <class Subject> bool waitUntilReady(Subject* subject);

    pa_threaded_mainloop* loop;
    pa_context* context = nullptr;
    bool sound = false;
};
