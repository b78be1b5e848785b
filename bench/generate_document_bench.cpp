// Generating the document for the synthetic project (1x: 500 tracks, 20,000
// items) with the default template, at 1x, 2x and 4x: the time per output
// byte should stay flat, and at 1x the generation should take well under a
// second. Reading alone and reading plus generating show what generation adds
// to a whole conversion.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>

#include "format/locale.h"
#include "format/preferences.h"
#include "generator/expand_template.h"
#include "reader/read_project.h"
#include "support/fixed_locale.h"
#include "support/synthetic_project.h"

namespace {

using sondrel::bench::SyntheticProjectFile;
using sondrel::bench::SyntheticShape;

using PlainLocale = sondrel::testing::FixedLocale;
using StillClock = sondrel::testing::FixedClock;

const std::string& DefaultTemplate()
{
    static const std::string text = [] {
        const auto path = std::filesystem::path(__FILE__).parent_path() / ".." / "templates" / "default_template.htm";
        std::ifstream in(path, std::ios::binary);
        std::ostringstream content;
        content << in.rdbuf();
        return content.str();
    }();
    return text;
}

// Each scale's project is written and read once and kept for every run.
const sondrel::ProjectModel& ProjectAtScale(int scale)
{
    static std::map<int, std::unique_ptr<sondrel::ProjectModel>> models;
    auto& model = models[scale];
    if (!model) {
        model = std::make_unique<sondrel::ProjectModel>();
        sondrel::ReadProject(*model, SyntheticProjectFile(SyntheticShape::Scaled(scale)));
    }
    return *model;
}

// Minor page faults so far: fresh memory that the allocator maps for a large
// output is paid for here, and on some machines that dominates the time.
double PageFaults()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_minflt);
}

std::string Generate(const sondrel::ProjectModel& model)
{
    static const sondrel::Preferences prefs;
    static const PlainLocale locale;
    static const StillClock clock;
    const sondrel::GenerationContext context{model, prefs, locale, clock};
    return sondrel::ExpandTemplate(DefaultTemplate(), "default_template.htm", "out.htm", context);
}

void BM_ExpandTemplate(benchmark::State& state)
{
    if (DefaultTemplate().empty()) {
        state.SkipWithError("the default template could not be read");
        return;
    }
    const sondrel::ProjectModel& model = ProjectAtScale(static_cast<int>(state.range(0)));
    std::size_t outputBytes = 0;
    const double faultsBefore = PageFaults();
    for (auto _ : state) {
        const std::string output = Generate(model);
        outputBytes = output.size();
        benchmark::DoNotOptimize(output.data());
    }
    state.counters["page_faults_per_run"] = (PageFaults() - faultsBefore) / static_cast<double>(state.iterations());
    state.SetBytesProcessed(static_cast<std::int64_t>(outputBytes) * state.iterations());
    state.counters["tracks"] = model.Info.TrackCount;
    state.counters["output_MB"] = static_cast<double>(outputBytes) / 1e6;
    state.counters["ns_per_output_byte"] = benchmark::Counter(
        static_cast<double>(outputBytes) * 1e-9, benchmark::Counter::kIsIterationInvariantRate |
                                                     benchmark::Counter::kInvert);
}
BENCHMARK(BM_ExpandTemplate)->Arg(1)->Arg(2)->Arg(4)->Unit(benchmark::kMillisecond)->UseRealTime();

// A template of many conditional blocks against tracks that show all eight
// combinations of the three flags the blocks read: the time per block and
// track is what a large template costs on a large project.
void BM_ConditionalBlocks(benchmark::State& state)
{
    const int blocks = static_cast<int>(state.range(0));
    const int tracks = static_cast<int>(state.range(1));
    sondrel::ProjectModel model;
    for (int track = 1; track <= tracks; ++track) {
        sondrel::TrackRecord& record = model.SlotForWriting(track);
        record.IsGroup = (track & 4) != 0;
        record.InGroup = (track & 2) != 0;
        record.Mute = (track & 1) != 0;
    }
    model.Info.TrackCount = static_cast<std::int16_t>(tracks);
    std::string text = "<!-- TRACK-START -->";
    const char* const conditions[] = {"-IS-GROUP", "-IN-GROUP", "-IS-MUTED"};
    for (int block = 0; block < blocks; ++block)
        text += std::string("<td>(#IF") + conditions[block % 3] + "yes##ELSEno##END-IF#)</td>";
    text += "<!-- TRACK-END -->";
    static const sondrel::Preferences prefs;
    static const PlainLocale locale;
    static const StillClock clock;
    const sondrel::GenerationContext context{model, prefs, locale, clock};
    for (auto _ : state) {
        const std::string output = sondrel::ExpandTemplate(text, "t.htm", "out.htm", context);
        benchmark::DoNotOptimize(output.data());
    }
    state.counters["ns_per_block_per_track"] = benchmark::Counter(
        static_cast<double>(blocks) * tracks * 1e-9,
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ConditionalBlocks)->Args({10000, 8})->Args({10000, 64})->Args({100000, 200})
    ->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ReadProjectAlone(benchmark::State& state)
{
    const std::string path = SyntheticProjectFile(SyntheticShape::Scaled(1.0));
    sondrel::ProjectModel model;
    for (auto _ : state) {
        sondrel::ReadProject(model, path);
        benchmark::DoNotOptimize(model.Info.TrackCount);
    }
}
BENCHMARK(BM_ReadProjectAlone)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ReadAndGenerate(benchmark::State& state)
{
    const std::string path = SyntheticProjectFile(SyntheticShape::Scaled(1.0));
    sondrel::ProjectModel model;
    for (auto _ : state) {
        sondrel::ReadProject(model, path);
        const std::string output = Generate(model);
        benchmark::DoNotOptimize(output.data());
    }
}
BENCHMARK(BM_ReadAndGenerate)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
