// An application's player: one block of 44.1 kHz mono 16-bit samples, played 1 + the
// repeat count times on a stream of its own. Its stream's callbacks run on the host's
// thread (PlayerServer), so the player needs no lock.
#pragma once

#include "GCObject.h"
#include "PlayerServer.h"
#include "Types.h"

#include <memory>
#include <vector>

class AudioPlayer : public GCObject {
public:
    AudioPlayer(std::shared_ptr<PlayerServer> server, std::vector<TUint8> samples);
    // Ends the stream: no callback runs on a destroyed player.
    ~AudioPlayer() override;
    AudioPlayer(const AudioPlayer&) = delete;
    AudioPlayer& operator=(const AudioPlayer&) = delete;

    // Connects a stream unless the player has one; the block plays once it is ready.
    void start();
    // Ends the stream, if any.
    void stop();
    void setRepeatCount(TInt32 count) { repeatCount = count; }

    int outsideHeapSize() const override { return static_cast<int>(data.size()); }

private:
    // Where the server stands with the stream's playback.
    enum class Started { ENotYet = 0, EYes = 1, ENotPrepared = 2 };

    static void stateChanged(pa_stream* stream, void* player);
    static void write(pa_stream* stream, std::size_t bytes, void* player);
    static void started(pa_stream* stream, void* player);
    static void underflow(pa_stream* stream, void* player);
    static void drained(pa_stream* stream, int success, void* player);
    void stopOncePlayed();
    void prepare();
    void writeBlock(std::size_t bytes);
    bool blockEnded();
    bool blockWritten() const { return position == data.size(); }

    std::shared_ptr<PlayerServer> server;
    pa_stream* stream = nullptr;
    // The drain that ends the stream once the server has played all of the block.
    pa_operation* draining = nullptr;
    std::vector<TUint8> data;
    std::size_t position = 0;
    Started startedState = Started::ENotPrepared;
    TInt32 repeatCount = 0;
};
