// The application's window and its host: the host services, the timers, the device
// extensions, visibility changes, and the start of the application.
#pragma once

#include "CAppsString.h"
#include "ExtensionHost.h"
#include "MainViewBase.h"
#include "Scheduler.h"

#include <QSharedPointer>
#include <QString>

class VirtualMachine;
namespace KESTRO {
class OutputStream;
}

class MainView : public MainViewBase {
    Q_OBJECT
public:
    explicit MainView(const CAppsString& directory);
    ~MainView() override;

    // Creates the machine, loads "index.mcb" and runs the application's start-up.
    void loadApplication();
    // The machine the timers call back.
    void attachMachine(VirtualMachine* machine) { scheduler.setMachine(machine); }
    bool needsRotation() const override;

    // FileSystemServices
    std::unique_ptr<KESTRO::OutputStream> openOutputFile(const OString& path,
                                                         bool truncate) override;
    std::unique_ptr<KESTRO::InputStream> openInputFile(const OString& path, bool flag) override;
    bool deleteFile(const OString& path) override;
    bool fileExists(const OString& path) override;
    TInt32 fileQuery() override { return 0; }
    bool renameFile(const OString& from, const OString& to) override;
    bool listDirectory(const OString& path, std::vector<OString>& files,
                       std::vector<OString>& directories, bool flag) override;
    bool createDirectory(const OString& path) override;
    bool deleteDirectory(const OString& path) override;
    bool renameDirectory(const OString& from, const OString& to) override;
    bool directoryExists(const OString& path) override;

    // FrameworkServices
    TInt32 systemQuery7() override { return 0; }
    TInt32 systemQuery6() override { return 0; }
    OString pathSeparator() override { return OString("/"); }
    OString platformName() override { return OString("maemo"); }
    TInt32 currentTimeMillis() override;
    TInt32 elapsedMillis() override;
    void log(const OString& message) override;
    bool setLogFile(const OString& path) override;
    void showExitMessage(const OString&) override {}
    [[noreturn]] void exitApplication() override;
    TInt32 hostQuery() override { return 0; }
    TInt32 hostRequest(TInt32, TInt32) override { return 0; }
    void hostRequest(bool, TInt32) override {}
    void screenRequest(bool) override {}
    void setOrientation(TInt32 newOrientation) override;
    TInt32 getOrientation() override { return orientation; }
    TInt32 callExtension(TInt32 extension, TInt32 function, TInt32 top,
                         TVMAddress stackAddress) override;
    void getScreenSize(TInt32& width, TInt32& height) override;
    void bitmapRequest(bool) override {}
    // The Screen natives keep orientation listeners alive themselves.
    void addScreenOrientationListener(TVMAddress) override {}
    void removeScreenOrientationListener(TVMAddress) override {}
    TInt32 addTimer(TVMAddress listener, TInt32 delay) override;
    TVMAddress removeTimer(TInt32 id) override;
    bool updateTimerDelay(TInt32 id, TInt32 newDelay) override;
    TInt32 hostQuery2() override { return 0; }
    OString applicationDirectory() override;

public Q_SLOTS:
    void displaySignal(const QString& status);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // The application is visible when the window is active and the display is on; each
    // change of that is reported to the application once it runs.
    void updateForegroundState();

    Scheduler scheduler;
    TInt64 startTime = 0;
    CAppsString directory;
    TInt32 orientation = 2;
    QSharedPointer<KESTRO::OutputStream> logStream;
    bool windowActive = false;
    bool displayOn = true;
    ExtensionHost extensionHost;
};
