#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "generator/expand_template.h"

namespace sondrel {

// Where a section may stand: in the track section, repeated per entry of the
// track, or in the head or tail, repeated per entry of the project.
enum class SectionLevel { Track, Document };

// A piece of template between "<!-- NAME-START -->" and "<!-- NAME-END -->",
// repeated once per entry with that entry's placeholders filled.
struct Section {
    std::string_view Name;
    std::string_view Start;
    std::string_view End;
    SectionLevel Level;
    // Appends the body once per entry; track is the track copy's number.
    void (*AppendEntries)(std::string& out, std::string_view body, const GenerationContext& context, int track);
    // The entries' placeholders, in replacement order.
    std::vector<std::string_view> (*Placeholders)();
};

// Every section, in the order in which they are expanded.
std::span<const Section> Sections();

// Expands the first such section in text, markers found in any letter case.
// Without a start marker nothing changes; without an end marker after it the
// start marker is dropped and nothing is repeated. An empty body repeats into
// nothing.
void ExpandSection(std::string& text, const Section& section, const GenerationContext& context, int track);

// The same for any pair of markers, with the entries' appender given.
void ExpandMarkedSection(std::string& text, std::string_view start, std::string_view end,
                         const std::function<void(std::string& out, std::string_view body)>& appendEntries);

}  // namespace sondrel
