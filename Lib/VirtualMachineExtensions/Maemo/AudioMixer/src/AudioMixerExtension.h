// The audio mixer (extension 30): mixers that play any number of short sounds, loaded from
// the application's files, at once, each with its own volume.
#pragma once

#include "AudioMixer.h"
#include "ExtensionFunctions.h"

#include <memory>

class AudioMixerExtension : public TableExtension<AudioMixerExtension> {
public:
    AudioMixerExtension(MVMCallbackInterface& machine, const HostServices& services);

private:
    void createMixer(ExtensionCall& call);
    void loadSound(ExtensionCall& call);
    void ignoreTwo(ExtensionCall& call);
    void playSound(ExtensionCall& call);
    void stopSound(ExtensionCall& call);
    void setVolume(ExtensionCall& call);
    void pushVolume(ExtensionCall& call);
    void ignoreThree(ExtensionCall& call);
    void pushZero(ExtensionCall& call);

    friend TableExtension;
    static const ExtensionFunction<AudioMixerExtension> kFunctions[];
    static constexpr const char* kUnknownOpcode = "AudioMixer: Unknown opcode!";

    FileSystemServices& files;
    std::shared_ptr<MixerServer> server;
};

std::unique_ptr<Extension> createAudioMixer(const ExtensionContext& context);
