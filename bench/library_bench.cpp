// The converter over a library of 1,000 projects (about 300 MB, copies of the
// real projects kept beside the project), with the default template and the
// index, on one worker and on two, beside `cat` reading the same files. Two
// workers should take well under the time of one, the batch should stay
// within a small factor of reading the files, and the converter's memory
// should not grow with the number of projects.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

constexpr int kProjects = 1000;

struct Finished {
    double Seconds = -1;
    double PeakMegabytes = 0;
};

// Runs the program with its output thrown away; a negative time when it failed.
Finished Spawn(const std::vector<std::string>& arguments)
{
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    const int spawned = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    rusage usage{};
    if (spawned != 0 || wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return {};
    return {std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
            static_cast<double>(usage.ru_maxrss) / 1024.0};
}

// kProjects copies of the corpus projects in folders of 100, made once.
std::vector<std::string> MakeLibrary(const fs::path& folder)
{
    std::vector<fs::path> corpus;
    std::error_code missing;
    for (const auto& entry : fs::directory_iterator(SONDREL_CORPUS_DIR, missing))
        if (entry.path().extension() == ".rpp")
            corpus.push_back(entry.path());
    std::vector<std::string> files;
    for (int n = 0; n < kProjects && !corpus.empty(); ++n) {
        const fs::path target = folder / std::to_string(n / 100) /
                                (std::to_string(n) + "-" + corpus[n % corpus.size()].filename().string());
        fs::create_directories(target.parent_path());
        fs::copy_file(corpus[n % corpus.size()], target, fs::copy_options::overwrite_existing);
        files.push_back(target.string());
    }
    return files;
}

void BM_ConvertLibrary(benchmark::State& state)
{
    const fs::path root = fs::temp_directory_path() / "sondrel-library-bench";
    const std::vector<std::string> files = MakeLibrary(root / "library");
    if (files.empty()) {
        state.SkipWithError("the corpus of real projects is not at " SONDREL_CORPUS_DIR);
        return;
    }
    std::uintmax_t bytes = 0;
    for (const std::string& file : files)
        bytes += fs::file_size(file);
    std::vector<std::string> cat{"cat"};
    cat.insert(cat.end(), files.begin(), files.end());
    // Each run into a new folder, as a library is documented the first time;
    // the folders are removed at the end, so that no run's files are put
    // where another's were just deleted (which the file system makes slower).
    int runs = 0;
    const auto convert = [&](const char* workers) {
        return Spawn({SONDREL_CONVERT_PROGRAM, "-j", workers, "--output-dir",
                      (root / ("documents-" + std::to_string(++runs))).string(), (root / "library").string()});
    };
    Spawn(cat);  // the files into the page cache for all three

    double catSeconds = 0, oneSeconds = 0, twoSeconds = 0, peak = 0;
    for (auto _ : state) {
        const Finished one = convert("1"), two = convert("2"), read = Spawn(cat);
        if (one.Seconds < 0 || two.Seconds < 0 || read.Seconds < 0) {
            state.SkipWithError("the converter or cat failed");
            break;
        }
        oneSeconds += one.Seconds, twoSeconds += two.Seconds, catSeconds += read.Seconds;
        peak = std::max({peak, one.PeakMegabytes, two.PeakMegabytes});
        state.SetIterationTime(two.Seconds);
    }
    if (!fs::exists(root / "documents-1" / "index.htm"))
        state.SkipWithError("no index was written");
    fs::remove_all(root);

    const auto iterations = static_cast<double>(state.iterations());
    state.counters["library_MB"] = static_cast<double>(bytes) / 1e6;
    state.counters["one_worker_s"] = oneSeconds / iterations;
    state.counters["two_workers_s"] = twoSeconds / iterations;
    state.counters["cat_s"] = catSeconds / iterations;
    state.counters["speedup_two"] = oneSeconds / twoSeconds;
    state.counters["ratio_to_cat"] = twoSeconds / catSeconds;
    state.counters["peak_RSS_MB"] = peak;
}
BENCHMARK(BM_ConvertLibrary)->Unit(benchmark::kSecond)->UseManualTime()->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
