// The audio player (extension 28): players of one block of samples each, from a file or a
// byte array, started and stopped once the sound server is ready, repeated as asked.
#pragma once

#include "AudioPlayer.h"
#include "ExtensionFunctions.h"

#include <memory>

class AudioPlayerExtension : public TableExtension<AudioPlayerExtension> {
public:
    AudioPlayerExtension(MVMCallbackInterface& machine, const HostServices& services);

private:
    void createFromFile(ExtensionCall& call);
    void createFromBytes(ExtensionCall& call);
    void start(ExtensionCall& call);
    void stop(ExtensionCall& call);
    void ignoreOne(ExtensionCall& call);
    void replaceWithZero(ExtensionCall& call);
    void ignoreTwo(ExtensionCall& call);
    void setRepeatCount(ExtensionCall& call);

    void storePlayer(ExtensionCall& call, TVMAddress cell, std::vector<TUint8> samples);
    void queue(ExtensionCall& call, DeferredOperation::Operation operation);

    friend TableExtension;
    static const ExtensionFunction<AudioPlayerExtension> kFunctions[];
    static constexpr const char* kUnknownOpcode = "AudioPlayer: Unknown opcode!";

    FileSystemServices& files;
    std::shared_ptr<PlayerServer> server;
};

std::unique_ptr<Extension> createAudioPlayer(const ExtensionContext& context);
