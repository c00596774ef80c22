// The torch (extension 36): the camera's flash LED as a torch, switched through the video
// device's extended controls, and the state of the camera's lens cover. Every failure of
// the device or the cover's file is a fatal machine error naming what failed.
#pragma once

#include "ExtensionFunctions.h"

#include <memory>
#include <string>

class Torch : public TableExtension<Torch> {
public:
    explicit Torch(MVMCallbackInterface& machine);
    ~Torch() override;
    Torch(const Torch&) = delete;
    Torch& operator=(const Torch&) = delete;

private:
    void switchOn(ExtensionCall& call);
    void switchOff(ExtensionCall& call);
    void pushTorchState(ExtensionCall& call);
    void pushCoverOpen(ExtensionCall& call);

    // The device stays open from the first request until the torch is found or put off.
    void openDevice();
    void closeDevice();
    void writeTorchControl(bool on);
    [[noreturn]] void fail(const std::string& what);

    friend TableExtension;
    static const ExtensionFunction<Torch> kFunctions[];
    static constexpr const char* kUnknownOpcode = "Torch: Unknown opcode!";

    int device = -1;
    const std::string devicePath;
    const std::string coverPath;
};

std::unique_ptr<Extension> createTorch(const ExtensionContext& context);
