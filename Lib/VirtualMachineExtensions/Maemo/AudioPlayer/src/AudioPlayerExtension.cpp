#include "AudioPlayerExtension.h"

#include "ErrorHandling.h"
#include "GcCodes.h"
#include "NativeObjectCells.h"
#include "OVector.h"
#include "SoundFile.h"

namespace {

AudioPlayer& playerIn(ExtensionCall& call, TVMAddress cell) {
    return objectInCell<AudioPlayer>(call, cell, "not an AudioPlayer");
}

std::vector<TUint8> samplesOfFile(FileSystemServices& files, const OString& name) {
    SoundFileContent file = readSoundFile(files, name);
    if (!file.failure) {
        if (file.bytes.empty()) throwError(EInvalidArgument, "File is empty");
        return std::move(file.bytes);
    }
    switch (*file.failure) {
    case SoundFileFailure::ECannotOpen: {
        OString message("Could not open file: ");
        message.append(name);
        throwError(EIOError, message);
    }
    case SoundFileFailure::ETooLarge: throwError(EInvalidArgument, "File is too large");
    case SoundFileFailure::EReadFailed: break;
    }
    throwError(EIOError, "");
}

} // namespace

const ExtensionFunction<AudioPlayerExtension> AudioPlayerExtension::kFunctions[] = {
    {1, &AudioPlayerExtension::createFromFile},
    {2, &AudioPlayerExtension::createFromBytes},
    {3, &AudioPlayerExtension::start},
    {4, &AudioPlayerExtension::stop},
    {6, &AudioPlayerExtension::ignoreOne},
    {7, &AudioPlayerExtension::replaceWithZero},
    {8, &AudioPlayerExtension::replaceWithZero},
    {9, &AudioPlayerExtension::ignoreTwo},
    {10, &AudioPlayerExtension::replaceWithZero},
    {11, &AudioPlayerExtension::ignoreTwo},
    {12, &AudioPlayerExtension::replaceWithZero},
    {13, &AudioPlayerExtension::replaceWithZero},
    {14, &AudioPlayerExtension::setRepeatCount},
};

AudioPlayerExtension::AudioPlayerExtension(MVMCallbackInterface& aMachine,
                                           const HostServices& services)
    : TableExtension(aMachine, kFunctions), files(*services.files),
      server(std::make_shared<PlayerServer>()) {}

void AudioPlayerExtension::createFromFile(ExtensionCall& call) {
    call.word();
    const OString& name = call.string();
    const TVMAddress cell = nonNull(call.word());
    storePlayer(call, cell, samplesOfFile(files, name));
}

void AudioPlayerExtension::createFromBytes(ExtensionCall& call) {
    call.word();
    const TVMAddress variable = nonNull(call.word());
    const TVMAddress record = nonNull(call.memory().load32(variable));
    const TVMAddress cell = nonNull(call.word());
    const OVector bytes(call.heap(), record);
    if (bytes.elementSize() != 1) throwError(EVMException, "wrong kind of array");
    storePlayer(call, cell, bytes.elementBytes(0, bytes.size()));
}

void AudioPlayerExtension::start(ExtensionCall& call) {
    queue(call, &AudioPlayer::start);
}

void AudioPlayerExtension::stop(ExtensionCall& call) {
    queue(call, &AudioPlayer::stop);
}

void AudioPlayerExtension::ignoreOne(ExtensionCall& call) {
    call.word();
    call.pop();
}

void AudioPlayerExtension::replaceWithZero(ExtensionCall& call) {
    call.word();
    call.answer(0);
}

void AudioPlayerExtension::ignoreTwo(ExtensionCall& call) {
    call.word();
    ignoreOne(call);
}

void AudioPlayerExtension::setRepeatCount(ExtensionCall& call) {
    call.word();
    const TInt32 count = call.integer();
    playerIn(call, call.word()).setRepeatCount(count);
    call.pop();
}

void AudioPlayerExtension::storePlayer(ExtensionCall& call, TVMAddress cell,
                                       std::vector<TUint8> samples) {
    storeInCell(call, cell, std::make_unique<AudioPlayer>(server, std::move(samples)),
                GC_CODE_DATA);
    call.pop();
}

void AudioPlayerExtension::queue(ExtensionCall& call, DeferredOperation::Operation operation) {
    const TVMAddress cell = call.word();
    AudioPlayer& player = playerIn(call, cell);
    const TVMAddress object = call.memory().load32(cell);
    server->perform(std::make_unique<DeferredOperation>(call.heap(), object, player, operation));
    call.pop();
}

std::unique_ptr<Extension> createAudioPlayer(const ExtensionContext& context) {
    return std::make_unique<AudioPlayerExtension>(context.machine, context.services);
}
