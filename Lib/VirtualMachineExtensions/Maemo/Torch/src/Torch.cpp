#include "Torch.h"

#include "PlatformPath.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <linux/videodev2.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

// The flash LED's torch mode among the camera class's controls.
constexpr TUint32 kTorchControl = 0x009A0910;

// One control of the camera class, for the extended-control requests.
struct TorchRequest {
    explicit TorchRequest(bool on) {
        control.id = kTorchControl;
        control.value = on ? 1 : 0;
        controls.ctrl_class = V4L2_CTRL_CLASS_CAMERA;
        controls.count = 1;
        controls.controls = &control;
    }
    v4l2_ext_control control{};
    v4l2_ext_controls controls{};
};

} // namespace

const ExtensionFunction<Torch> Torch::kFunctions[] = {
    {1, &Torch::switchOn},
    {2, &Torch::switchOff},
    {3, &Torch::pushTorchState},
    {4, &Torch::pushCoverOpen},
};

Torch::Torch(MVMCallbackInterface& aMachine)
    : TableExtension(aMachine, kFunctions),
      devicePath(platformPath("KESTRO_TORCH_DEVICE", "/dev/video0")),
      coverPath(platformPath("KESTRO_LENS_COVER_FILE",
                             "/sys/devices/platform/gpio-switch/cam_shutter/state")) {}

Torch::~Torch() {
    closeDevice();
}

void Torch::switchOn(ExtensionCall&) {
    writeTorchControl(true);
}

void Torch::switchOff(ExtensionCall&) {
    writeTorchControl(false);
    closeDevice();
}

void Torch::pushTorchState(ExtensionCall& call) {
    openDevice();
    TorchRequest request(false);
    if (ioctl(device, VIDIOC_G_EXT_CTRLS, &request.controls) != 0)
        fail(std::string("Torch: Failed to fetch torch state: ") + std::strerror(errno));
    const bool on = request.control.value != 0;
    if (!on) closeDevice();
    call.answer(on ? 1 : 0);
}

void Torch::pushCoverOpen(ExtensionCall& call) {
    std::FILE* file = std::fopen(coverPath.c_str(), "rb");
    if (!file)
        fail("Torch: Failed to fetch camera cover state from: " + coverPath + ": " +
             std::strerror(errno));
    char state[20] = {};
    const std::size_t length = std::fread(state, 1, sizeof state - 1, file);
    std::fclose(file);
    call.answer(length == 5 && std::memcmp(state, "open\n", 5) == 0 ? 1 : 0);
}

void Torch::openDevice() {
    if (device != -1) return;
    device = open(devicePath.c_str(), O_RDONLY);
    if (device == -1)
        fail("Torch: Failed to open video device: " + devicePath + ": " + std::strerror(errno));
}

void Torch::closeDevice() {
    if (device == -1) return;
    close(device);
    device = -1;
}

void Torch::writeTorchControl(bool on) {
    openDevice();
    TorchRequest request(on);
    if (ioctl(device, VIDIOC_S_EXT_CTRLS, &request.controls) != 0)
        fail(std::string("Torch: Failed to set torch state to ") + (on ? "ON" : "OFF") + ": " +
             std::strerror(errno));
}

void Torch::fail(const std::string& what) {
    machine.reportFatalError(what.c_str(), -1);
    __builtin_unreachable(); // the compiler does not see the interface's noreturn
}

std::unique_ptr<Extension> createTorch(const ExtensionContext& context) {
    return std::make_unique<Torch>(context.machine);
}
