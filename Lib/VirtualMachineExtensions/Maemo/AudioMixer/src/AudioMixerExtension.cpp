#include "AudioMixerExtension.h"

#include "GcCodes.h"
#include "NativeObjectCells.h"
#include "SoundFile.h"

#include <cstdio>

namespace {

SoundMix& soundsOf(ExtensionCall& call) {
    return objectInCell<AudioMixer>(call, call.word(), "not an AudioMixer").sounds();
}

} // namespace

const ExtensionFunction<AudioMixerExtension> AudioMixerExtension::kFunctions[] = {
    {1, &AudioMixerExtension::createMixer}, {2, &AudioMixerExtension::loadSound},
    {3, &AudioMixerExtension::ignoreTwo},   {4, &AudioMixerExtension::playSound},
    {5, &AudioMixerExtension::stopSound},   {6, &AudioMixerExtension::setVolume},
    {7, &AudioMixerExtension::pushVolume},  {8, &AudioMixerExtension::ignoreThree},
    {9, &AudioMixerExtension::pushZero},
};

AudioMixerExtension::AudioMixerExtension(MVMCallbackInterface& aMachine,
                                         const HostServices& services)
    : TableExtension(aMachine, kFunctions), files(*services.files),
      server(std::make_shared<MixerServer>()) {}

void AudioMixerExtension::createMixer(ExtensionCall& call) {
    const TVMAddress cell = nonNull(call.word());
    storeInCell(call, cell, std::make_unique<AudioMixer>(server), GC_CODE_DATA);
    call.pop();
}

// A file that cannot be read, or one too large to keep, gives -1.
void AudioMixerExtension::loadSound(ExtensionCall& call) {
    const OString& name = call.string();
    SoundMix& sounds = soundsOf(call);
    const SoundFileContent file = readSoundFile(files, name);
    if (file.failure == SoundFileFailure::ETooLarge)
        std::fprintf(stderr, "AudioMixer: a sound file larger than %u bytes is not loaded\n",
                     kLargestSoundFile);
    call.answer(file.failure ? static_cast<TUint32>(-1)
                             : static_cast<TUint32>(sounds.addSound(file.bytes)));
}

void AudioMixerExtension::ignoreTwo(ExtensionCall& call) {
    call.word();
    call.word();
    call.pop();
}

void AudioMixerExtension::playSound(ExtensionCall& call) {
    const TInt32 index = call.integer();
    soundsOf(call).play(index);
    call.pop();
}

void AudioMixerExtension::stopSound(ExtensionCall& call) {
    const TInt32 index = call.integer();
    soundsOf(call).stop(index);
    call.pop();
}

void AudioMixerExtension::setVolume(ExtensionCall& call) {
    const TInt32 volume = call.integer();
    const TInt32 index = call.integer();
    soundsOf(call).setVolume(index, volume);
    call.pop();
}

void AudioMixerExtension::pushVolume(ExtensionCall& call) {
    const TInt32 index = call.integer();
    call.answer(static_cast<TUint32>(soundsOf(call).volume(index)));
}

void AudioMixerExtension::ignoreThree(ExtensionCall& call) {
    call.word();
    ignoreTwo(call);
}

void AudioMixerExtension::pushZero(ExtensionCall& call) {
    call.word();
    call.word();
    call.answer(0);
}

std::unique_ptr<Extension> createAudioMixer(const ExtensionContext& context) {
    return std::make_unique<AudioMixerExtension>(context.machine, context.services);
}
