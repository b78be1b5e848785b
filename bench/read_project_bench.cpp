// ReadProject on a 100 MB project in today's format, beside `wc -l` on the
// same file: the reader should run within a small factor of merely counting
// lines, and its memory should stay that of the model plus one line.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "reader/read_project.h"
#include "support/synthetic_project.h"

namespace {

using sondrel::bench::SyntheticProjectFile;
using sondrel::bench::SyntheticShape;

// Seconds that `wc -l` takes on path, or a negative value when it cannot run.
double SecondsOfWcL(const std::string& path)
{
    const auto start = std::chrono::steady_clock::now();
    std::FILE* pipe = popen(("wc -l < '" + path + "'").c_str(), "r");
    if (!pipe)
        return -1;
    char output[64];
    while (std::fgets(output, sizeof output, pipe)) {
    }
    if (pclose(pipe) != 0)
        return -1;
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double PeakRssMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
}

void BM_ReadProject(benchmark::State& state)
{
    const SyntheticShape shape = SyntheticShape::Scaled(1.0);
    const std::string path = SyntheticProjectFile(shape);
    const auto bytes = static_cast<std::int64_t>(std::filesystem::file_size(path));
    SecondsOfWcL(path);  // brings the file into the page cache for both

    sondrel::ProjectModel model;
    double readSeconds = 0;
    double wcSeconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        sondrel::ReadProject(model, path);
        readSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        benchmark::DoNotOptimize(model.Info.TrackCount);
        state.PauseTiming();
        wcSeconds += SecondsOfWcL(path);
        state.ResumeTiming();
    }
    if (model.Info.TrackCount != shape.tracks || model.Track(shape.tracks).ItemCount() != shape.itemsPerTrack ||
        model.Track(1).FxCount() != shape.fxPerTrack)
        state.SkipWithError("the project was not read whole");

    state.SetBytesProcessed(bytes * state.iterations());
    state.counters["file_MB"] = static_cast<double>(bytes) / 1e6;
    state.counters["read_MB_per_s"] = static_cast<double>(bytes) * static_cast<double>(state.iterations()) / readSeconds / 1e6;
    state.counters["wc_l_MB_per_s"] = static_cast<double>(bytes) * static_cast<double>(state.iterations()) / wcSeconds / 1e6;
    state.counters["ratio_to_wc_l"] = readSeconds / wcSeconds;
    state.counters["peak_RSS_MB"] = PeakRssMegabytes();
}
BENCHMARK(BM_ReadProject)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();
