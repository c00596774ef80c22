#include "MixerServer.h"

#include "SoundDeadline.h"

namespace {

constexpr const char* kExtension = "AudioMixer";

void signalLoop(void* loop) {
    pa_threaded_mainloop_signal(static_cast<pa_threaded_mainloop*>(loop), 0);
}
void contextChanged(pa_context*, void* loop) {
    signalLoop(loop);
}
void streamChanged(pa_stream*, void* loop) {
    signalLoop(loop);
}

// Ready, failed, or still on its way.
enum class Progress { EReady, EFailed, EPending };
Progress progressOf(pa_context* context) {
    const pa_context_state_t state = pa_context_get_state(context);
    if (state == PA_CONTEXT_READY) return Progress::EReady;
    return PA_CONTEXT_IS_GOOD(state) ? Progress::EPending : Progress::EFailed;
}
Progress progressOf(pa_stream* stream) {
    const pa_stream_state_t state = pa_stream_get_state(stream);
    if (state == PA_STREAM_READY) return Progress::EReady;
    return PA_STREAM_IS_GOOD(state) ? Progress::EPending : Progress::EFailed;
}

struct Wait {
    pa_threaded_mainloop* loop;
    bool expired = false;
};
void waitExpired(void* data) {
    auto* wait = static_cast<Wait*>(data);
    wait->expired = true;
    signalLoop(wait->loop);
}

} // namespace

MixerServer::MixerServer() : loop(pa_threaded_mainloop_new()) {
    pa_threaded_mainloop_lock(loop);
    pa_threaded_mainloop_start(loop);
    context = pa_context_new(pa_threaded_mainloop_get_api(loop), "tamso-vm");
    pa_context_set_state_callback(context, contextChanged, loop);
    // A missing server is not started on the application's behalf.
    if (pa_context_connect(context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) == 0)
        sound = waitUntilReady(context);
    if (!sound) reportSoundOff(kExtension, context);
    pa_threaded_mainloop_unlock(loop);
}

MixerServer::~MixerServer() {
    pa_threaded_mainloop_lock(loop);
    pa_context_set_state_callback(context, nullptr, nullptr);
    pa_context_disconnect(context);
    pa_context_unref(context);
    pa_threaded_mainloop_unlock(loop);
    pa_threaded_mainloop_stop(loop);
    pa_threaded_mainloop_free(loop);
}

pa_stream* MixerServer::openStream(pa_stream_request_cb_t write, pa_stream_notify_cb_t underflow,
                                   void* owner) {
    if (!sound) return nullptr;
    static constexpr pa_sample_spec kFormat{PA_SAMPLE_S16LE, 16000, 1};
    // 100 ms of samples on the server, none needed before playing starts.
    static constexpr pa_buffer_attr kBuffer{static_cast<uint32_t>(-1), 3200, 0,
                                            static_cast<uint32_t>(-1), static_cast<uint32_t>(-1)};
    pa_threaded_mainloop_lock(loop);
    pa_stream* stream = pa_stream_new(context, "tamso-audio-player", &kFormat, nullptr);
    pa_stream_set_write_callback(stream, write, owner);
    pa_stream_set_state_callback(stream, streamChanged, loop);
    pa_stream_set_underflow_callback(stream, underflow, owner);
    const bool ready =
        pa_stream_connect_playback(stream, nullptr, &kBuffer, PA_STREAM_ADJUST_LATENCY, nullptr,
                                   nullptr) == 0 &&
        waitUntilReady(stream);
    if (!ready) reportSoundOff(kExtension, context);
    pa_threaded_mainloop_unlock(loop);
    if (ready) return stream;
    closeStream(stream);
    return nullptr;
}

void MixerServer::closeStream(pa_stream* stream) {
    if (!stream) return;
    pa_threaded_mainloop_lock(loop);
    pa_stream_set_write_callback(stream, nullptr, nullptr);
    pa_stream_set_state_callback(stream, nullptr, nullptr);
    pa_stream_set_underflow_callback(stream, nullptr, nullptr);
    pa_stream_disconnect(stream);
    pa_stream_unref(stream);
    pa_threaded_mainloop_unlock(loop);
}

template <class Subject> bool MixerServer::waitUntilReady(Subject* subject) {
    Wait wait{loop};
    const SoundDeadline deadline(pa_threaded_mainloop_get_api(loop), waitExpired, &wait);
    while (progressOf(subject) == Progress::EPending && !wait.expired)
        pa_threaded_mainloop_wait(loop);
    return progressOf(subject) == Progress::EReady;
}
