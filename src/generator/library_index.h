#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "generator/placeholder_table.h"
#include "generator/session_facts.h"

namespace sondrel {

// A media file of a project that cannot be found, and where it is used.
struct MissingFile {
    std::string Track;
    std::string Item;
    std::string File;
};

// What the index of a library shows of one project: its key facts, or why
// it could not be read.
struct LibraryProject {
    std::string Project;    // as found
    std::string Document;   // the document's file name, beside the index
    std::string Failure;    // empty when it was converted
    std::string ReaperVersion;
    std::int64_t SavedAt = 0;
    double Length = 0;
    float Tempo = 0;
    int Tracks = 0;
    int Items = 0;
    int PluginInstances = 0;
    int MissingFiles = 0;               // distinct files that cannot be found
    std::vector<PluginRecord> Plugins;
    std::vector<std::string> PluginTracks;  // per plug-in: the tracks using it, by name ("Master" too)
    std::vector<MissingFile> Missing;  // per item
};

// A plug-in over the whole library: instances in every chain of every project.
struct LibraryPlugin {
    PluginIdentity Identity;
    int Count = 0;
    std::vector<std::string> Projects;  // the projects using it, by file name
    std::vector<std::string> Uses;      // per project: "Song.rpp (Drums, Bass)"
};

LibraryProject SummarizeProject(const ProjectModel& model, std::string project, std::string document);

// Every placeholder name and section name of the index language.
std::vector<std::string_view> IndexPlaceholderNames();
std::vector<std::string_view> IndexSectionNames();

// The index document: its own placeholders (counts, date, time) anywhere,
// then its sections, each repeated once per entry: PROJECT (converted ones),
// FAILED, LIBRARY-PLUGIN (by name), LIBRARY-PLUGIN-BY-COUNT (most used
// first) and MISSING (media of all projects). context gives the user's
// preferences, locale and clock; its model is not read.
std::string ExpandIndex(std::string_view templateText, const std::vector<LibraryProject>& projects,
                        const GenerationContext& context);

// The same index, made as the projects come: the rows of the long lists
// (PROJECT, FAILED, MISSING) are written as each project is added, so that
// they are made while later projects are still being converted. Finish
// gives exactly what ExpandIndex gives for the projects added.
class IndexBuilder {
public:
    IndexBuilder(std::string templateText, const GenerationContext& context);
    IndexBuilder(const IndexBuilder&) = delete;
    IndexBuilder& operator=(const IndexBuilder&) = delete;
    ~IndexBuilder();

    void Add(LibraryProject project);  // in the library's order
    std::string Finish() const;

private:
    struct Rows;

    std::string template_;
    GenerationContext context_;
    std::vector<LibraryProject> projects_;
    std::unique_ptr<Rows> rows_;
};

}  // namespace sondrel
