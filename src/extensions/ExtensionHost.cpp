#include "ExtensionHost.h"

#include "Accelerometer.h"
#include "AudioMixerExtension.h"
#include "AudioPlayerExtension.h"
#include "CLocationWrapper.h"
#include "ErrorHandling.h"
#include "PlatformFunctions.h"
#include "Torch.h"

namespace {

constexpr ExtensionFactory kDeviceExtensions[] = {
    {20, "accelerometer", createAccelerometer},
    {27, "location", createLocation},
    {28, "audio player", createAudioPlayer},
    {30, "audio mixer", createAudioMixer},
    {36, "torch", createTorch},
    {37, "platform functions", createPlatformFunctions},
};

} // namespace

ExtensionHost::ExtensionHost() : ExtensionHost(kDeviceExtensions) {}

ExtensionHost::ExtensionHost(std::span<const ExtensionFactory> factories) : table(factories) {}

void ExtensionHost::attach(MVMCallbackInterface& aMachine, const HostServices& hostServices) {
    machine = &aMachine;
    services = hostServices;
}

TInt32 ExtensionHost::callExtension(TInt32 extension, TInt32 function, TInt32 top,
                                    TVMAddress stackAddress) {
    return extensionNumbered(extension).callDllNative(function, top, stackAddress);
}

Extension& ExtensionHost::extensionNumbered(TInt32 number) {
    if (const auto found = extensions.find(number); found != extensions.end())
        return *found->second;
    for (const ExtensionFactory& factory : table) {
        if (factory.number != number) continue;
        KESTRO_ASSERT(machine != nullptr);
        std::unique_ptr<Extension> created = factory.create({*machine, services});
        return *extensions.emplace(number, std::move(created)).first->second;
    }
    throwError(EVMException, "Dll not supported");
}
