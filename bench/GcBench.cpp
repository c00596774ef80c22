// Times the collection after a host call while many small objects are alive: a chain of n
// three-word objects held from a global (bench/gc_live.kasm). Each figure is the wall-clock
// time of a host call to a method that does nothing, which is almost all collection (on a
// large heap, marked by two threads); the row with no objects shows what the call itself
// costs. The last column is the collection that frees the whole chain.
//   gc_bench [n ...]      (default: 0 100000 1000000)
// With `churn`, the same on a churned heap (bench/churn.kasm): 200000 live records that
// host calls replacing 10000 of them at random scatter through the pools.
//   gc_bench churn
#include "MachineTesting.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>

namespace {

constexpr int kRuns = 25;

std::string readFile(const char* path) {
    std::ifstream file(path);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// Wall-clock time in milliseconds: what a pause costs the application, whichever threads
// mark. On a machine busy with other work it grows with the load.
double milliseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

double millisecondsOf(VirtualMachine& machine, TInt32 handle) {
    const double start = milliseconds();
    machine.callMethod(handle, {}, {}, 0);
    return milliseconds() - start;
}

double median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// After each host call that replaces records, the collection after a host call that does
// nothing: it marks all the live records and frees nothing.
int reportChurn() {
    constexpr int kTicks = 100;
    StartedMachine vm(readFile(KESTRO_BENCH_DIR "/churn.kasm"));
    VirtualMachine& machine = *vm.machine;
    const TInt32 replace = vm.handle("replace");
    const TInt32 idle = vm.handle("idle");
    std::vector<double> calls;
    std::vector<double> pauses;
    for (int tick = 0; tick < kTicks; ++tick) {
        calls.push_back(millisecondsOf(machine, replace));
        pauses.push_back(millisecondsOf(machine, idle));
    }
    std::printf("%d host calls replacing 10000 records each, %d blocks in %d pools:\n", kTicks,
                machine.getHeap().numberOfEntries(), machine.getHeap().poolCount());
    std::printf("  replacing call: median %.3f ms, worst %.3f ms\n", median(calls),
                *std::max_element(calls.begin(), calls.end()));
    std::printf("  collection:     median %.3f ms, worst %.3f ms\n", median(pauses),
                *std::max_element(pauses.begin(), pauses.end()));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::string(argv[1]) == "churn") return reportChurn();
    std::vector<TUint32> counts;
    for (int i = 1; i < argc; ++i)
        counts.push_back(static_cast<TUint32>(std::strtoul(argv[i], nullptr, 10)));
    if (counts.empty()) counts = {0, 100000, 1000000};

    const std::string source = readFile(KESTRO_BENCH_DIR "/gc_live.kasm");
    std::printf("%10s %10s %8s %12s %12s %12s\n", "objects", "blocks", "pools", "best ms",
                "median ms", "freeing ms");
    for (const TUint32 count : counts) {
        StartedMachine vm(source);
        VirtualMachine& machine = *vm.machine;
        machine.callMethod(vm.handle("build<int>"), {count}, {0}, 0);
        const TInt32 idle = vm.handle("idle");
        std::vector<double> times;
        for (int run = 0; run < kRuns; ++run)
            times.push_back(millisecondsOf(machine, idle));
        std::sort(times.begin(), times.end());
        const TInt32 blocks = machine.getHeap().numberOfEntries();
        const double freeing = millisecondsOf(machine, vm.handle("drop"));
        std::printf("%10u %10d %8d %12.3f %12.3f %12.3f\n", count, blocks,
                    machine.getHeap().poolCount(), times.front(), times[kRuns / 2], freeing);
    }
    return 0;
}
