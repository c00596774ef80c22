// The Qt application object of the program; it knows the main view.
#pragma once

#include <QApplication>

class MainView;

class QtClientApplication : public QApplication {
public:
    QtClientApplication(int& argc, char** argv) : QApplication(argc, argv) {}
    void setMainView(MainView* view) { mainView = view; }

private:
    MainView* mainView = nullptr;
};
