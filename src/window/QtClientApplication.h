// The Qt application object of the program. It knows the main view, and watches the X11
// events for the window manager's word on which application is in front.
#pragma once

#include <QAbstractNativeEventFilter>
#include <QApplication>

class MainView;

class QtClientApplication : public QApplication, public QAbstractNativeEventFilter {
public:
    QtClientApplication(int& argc, char** argv);
    void setMainView(MainView* view) { mainView = view; }

    // When the root window's "_MB_CURRENT_APP_WINDOW" property gets a new value, the main
    // view counts as active when the value is 0xFFFFFFFF or when it is the active window.
    // Every event goes on to Qt.
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    MainView* mainView = nullptr;
};
