#include "PlayerServer.h"

#include "SoundDeadline.h"

PlayerServer::PlayerServer()
    : loop(pa_glib_mainloop_new(nullptr)),
      context(pa_context_new(pa_glib_mainloop_get_api(loop), "tamso-vm")) {
    pa_context_set_state_callback(context, contextChanged, this);
    deadline =
        std::make_unique<SoundDeadline>(pa_glib_mainloop_get_api(loop), deadlinePassed, this);
    // A missing server is not started on the application's behalf.
    if (pa_context_connect(context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) != 0) goSilent();
}

PlayerServer::~PlayerServer() {
    pending.clear();
    deadline.reset();
    pa_context_set_state_callback(context, nullptr, nullptr);
    pa_context_disconnect(context);
    pa_context_unref(context);
    pa_glib_mainloop_free(loop);
}

void PlayerServer::perform(std::unique_ptr<DeferredOperation> operation) {
    if (state == State::EReady)
        operation->run();
    else if (state == State::EConnecting)
        pending.push_back(std::move(operation));
}

void PlayerServer::contextChanged(pa_context* context, void* self) {
    auto* server = static_cast<PlayerServer*>(self);
    const pa_context_state_t changed = pa_context_get_state(context);
    if (server->state != State::EConnecting) return;
    if (!PA_CONTEXT_IS_GOOD(changed)) return server->goSilent();
    if (changed != PA_CONTEXT_READY) return;
    server->state = State::EReady;
    server->deadline.reset();
    while (!server->pending.empty()) {
        const std::unique_ptr<DeferredOperation> next = std::move(server->pending.front());
        server->pending.pop_front();
        next->run();
    }
}

void PlayerServer::deadlinePassed(void* self) {
    static_cast<PlayerServer*>(self)->goSilent();
}

void PlayerServer::goSilent() {
    if (state == State::ESilent) return;
    reportSoundOff("AudioPlayer", context);
    state = State::ESilent;
    pending.clear();
}
