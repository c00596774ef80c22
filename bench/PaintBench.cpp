// Times the host's cost of one frame of a timer animation (bench/paint.kasm): a paint of
// the whole window, which is the application's draw call (it fills all of its 800 x 480
// canvas), the collection after it and the picture shown in the window at the window's
// size. Each frame is one synchronous repaint; the timer never runs in between. Two
// figures a frame: from the paint event to the end of the collection, and the whole
// repaint with the picture scaled into the window and handed to the X server. Run it on
// an X server of the size to measure (bench/paint.py).
//   paint_bench [frames]      (default 2000)
#include "Assembler.h"
#include "MainView.h"
#include "ModuleWriter.h"
#include "TimeSummary.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

namespace {

std::string readFile(const char* path) {
    std::ifstream file(path);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void writeModule(const std::string& directory, const std::string& source) {
    const std::vector<TUint8> bytes = writeModule(assemble(source));
    std::ofstream(directory + "/index.mcb", std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

// Lets the window appear and the first paints happen.
void settle() {
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 500)
        QApplication::processEvents();
}

double millisecondsOfRepaint(MainView& view) {
    const auto start = std::chrono::steady_clock::now();
    view.repaint();
    const std::chrono::duration<double, std::milli> elapsed =
        std::chrono::steady_clock::now() - start;
    return elapsed.count();
}

} // namespace

int main(int argc, char** argv) {
    const int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 2000;
    QApplication application(argc, argv);
    QTemporaryDir directory;
    const std::string path = directory.path().toStdString();
    writeModule(path, readFile(KESTRO_BENCH_DIR "/paint.kasm"));
    MainView view{CAppsString(path.c_str())};
    view.setVisible(true);
    view.loadApplication();
    settle();

    std::vector<double> repaints;
    std::vector<double> draws;
    for (int frame = 0; frame < frames; ++frame) {
        repaints.push_back(millisecondsOfRepaint(view));
        draws.push_back(std::chrono::duration<double, std::milli>(view.lastDrawTime()).count());
    }
    const std::string window =
        "window " + std::to_string(view.width()) + "x" + std::to_string(view.height());
    reportTimes(window + ", paint event to the end of the collection", draws);
    reportTimes(window + ", whole repaint, picture shown", repaints);
    return 0;
}
