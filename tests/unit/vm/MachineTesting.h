// A machine started from assembly source, with a host that records what it is asked.
#pragma once

#include "Assembler.h"
#include "HostServices.h"
#include "ModuleWriter.h"
#include "Stream.h"
#include "TextTesting.h"
#include "VirtualMachine.h"

#include <memory>
#include <string>
#include <vector>

// Host services without files, clocks, a screen, bitmaps or fonts.
class QuietServices : public FileSystemServices,
                      public LogService,
                      public ClockService,
                      public TimerService,
                      public ScreenService,
                      public ExtensionService,
                      public LifecycleService,
                      public CanvasService,
                      public FontService {
public:
    HostServices services() { return {this, this, this, this, this, this, this, this, this}; }

    std::unique_ptr<KESTRO::OutputStream> openOutputFile(const OString&, bool) override {
        return nullptr;
    }
    std::unique_ptr<KESTRO::InputStream> openInputFile(const OString&) override { return nullptr; }
    bool deleteFile(const OString&) override { return false; }
    bool fileExists(const OString&) override { return false; }
    bool renameFile(const OString&, const OString&) override { return false; }
    bool listDirectory(const OString&, std::vector<OString>&, std::vector<OString>&) override {
        return false;
    }
    bool createDirectory(const OString&) override { return false; }
    bool deleteDirectory(const OString&) override { return false; }
    bool renameDirectory(const OString&, const OString&) override { return false; }
    bool directoryExists(const OString&) override { return false; }
    void log(const OString&) override {}
    bool setLogFile(const OString&) override { return false; }
    TInt32 currentTimeMillis() override { return 0; }
    TInt32 elapsedMillis() override { return 0; }
    TInt32 addTimer(TVMAddress, TInt32) override { return 10; }
    TVMAddress removeTimer(TInt32) override { return 0; }
    void updateTimerDelay(TInt32, TInt32) override {}
    void updateArea(TInt32, TInt32, TInt32, TInt32) override {}
    void setOrientation(TInt32) override {}
    TInt32 getOrientation() override { return 2; }
    void getScreenSize(TInt32& width, TInt32& height) override {
        width = 800;
        height = 480;
    }
    void screenRequest(bool) override {}
    void addOrientationListener(TVMAddress) override {}
    void removeOrientationListener(TVMAddress) override {}
    TInt32 callExtension(TInt32, TInt32, TInt32, TVMAddress) override {
        throwError(EVMException, "Dll not supported");
    }
    void exitApplication() override {}
    void showExitMessage(const OString&) override {}
    std::unique_ptr<VMBitmap> makeBitmap(TInt32, TInt32, TUint32) override { return nullptr; }
    std::unique_ptr<VMBitmap> decodeImage(std::span<const TUint8>) override { return nullptr; }
    std::unique_ptr<DrawingSurface> drawOn(VMBitmap&) override { return nullptr; }
    void bitmapRequest(bool) override {}
    std::unique_ptr<CAppsFont> defaultFont() override { return nullptr; }
    std::unique_ptr<CAppsFont> bitmapFont(std::span<const TUint8>) override { return nullptr; }
};

class RecordingHost : public QuietServices {
public:
    void log(const OString& message) override { lines.push_back(latin1(message)); }

    std::vector<std::string> lines;
};

// Host is the recording host or one made from it that answers more.
template <class Host = RecordingHost> struct StartedMachine {
    Host host;
    std::unique_ptr<VirtualMachine> machine = std::make_unique<VirtualMachine>();

    // Loads the module and runs its start-up.
    explicit StartedMachine(const std::string& source) {
        KESTRO::MemoryInputStream stream(writeModule(assemble(source)));
        machine->startApplication(stream, OString("index.mcb"), host.services());
    }
    TInt32 handle(const char* signature) { return machine->findMethod(OString(signature), 0); }
};
