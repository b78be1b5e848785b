// ReplaceAll on template-sized and larger texts. The goal: 100,000
// occurrences in a 10 MB text in well under 50 ms.

#include <benchmark/benchmark.h>

#include <string>

#include "format/text_ops.h"

namespace {

constexpr std::size_t TextSize = 10 * 1000 * 1000;
constexpr int Occurrences = 100000;

// Track-sheet markup with other placeholders between the occurrences, so the
// search meets many '#' that start no occurrence; the key in three cases.
std::string TrackSheetText()
{
    const char* keys[] = {"##TRACK-NAME##", "##track-name##", "##Track-Name##"};
    const std::size_t stretch = TextSize / Occurrences;
    std::string filler = "<tr><td class=\"n\">##TRACK-NUM##</td><td>##VOLUME## ##PAN## #x</td></tr>\n";
    while (filler.size() < stretch)
        filler += filler;
    std::string text;
    text.reserve(TextSize + 64);
    for (int n = 0; n < Occurrences; ++n) {
        text.append(filler, 0, stretch - 14);
        text += keys[n % 3];
    }
    return text;
}

void CheckedRun(benchmark::State& state, const std::string& text, const std::string& key,
                const std::string& replacement, std::size_t expectedSize)
{
    for (auto _ : state) {
        std::string result = sondrel::ReplaceAll(text, key, replacement);
        if (result.size() != expectedSize) {
            state.SkipWithError("wrong result size");
            return;
        }
        benchmark::DoNotOptimize(result);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

void BM_TrackNames10MB(benchmark::State& state)
{
    const std::string text = TrackSheetText();
    const std::string name = "Lead Vocal (double)";
    CheckedRun(state, text, "##TRACK-NAME##", name, text.size() + Occurrences * (name.size() - 14));
}
BENCHMARK(BM_TrackNames10MB)->Unit(benchmark::kMillisecond);

// A name that holds the key itself is inserted and passed over.
void BM_NameHoldingTheKey10MB(benchmark::State& state)
{
    const std::string text = TrackSheetText();
    const std::string name = "<##TRACK-NAME##>";
    CheckedRun(state, text, "##TRACK-NAME##", name, text.size() + Occurrences * (name.size() - 14));
}
BENCHMARK(BM_NameHoldingTheKey10MB)->Unit(benchmark::kMillisecond);

// No occurrence at all: the whole text is copied in bulk.
void BM_NoOccurrence10MB(benchmark::State& state)
{
    const std::string text = TrackSheetText();
    CheckedRun(state, text, "##NOT-THERE##", "x", text.size());
}
BENCHMARK(BM_NoOccurrence10MB)->Unit(benchmark::kMillisecond);

// Every removal joins its neighbours into the next occurrence: 5 million
// passes for the search-again-from-the-start rule.
void BM_NestedJoins10MB(benchmark::State& state)
{
    const std::string text = std::string(TextSize / 2, '(') + std::string(TextSize / 2, ')');
    CheckedRun(state, text, "()", "", 0);
}
BENCHMARK(BM_NestedJoins10MB)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
