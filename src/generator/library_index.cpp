#include "generator/library_index.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <tuple>

#include "format/session_values.h"
#include "format/summary_lists.h"
#include "format/value_format.h"
#include "generator/sections.h"

namespace sondrel {

namespace {
struct Library {
    const std::vector<LibraryProject>& Projects;
    std::vector<const LibraryProject*> Converted;
    std::vector<const LibraryProject*> Failed;
    std::vector<LibraryPlugin> Plugins;  // by name, format and vendor
};

using IndexEntry = Entry<Library>;
using ProjectEntry = Entry<LibraryProject>;
using PluginEntry = Entry<LibraryPlugin>;
using MissingEntry = Entry<std::pair<const LibraryProject*, const MissingFile*>>;

std::string FileName(const std::string& path) { return std::filesystem::path(path).filename().string(); }

std::string SavedDate(const ProjectEntry& p)
{
    return p.Of.SavedAt == 0 ? "" : FormatDate(p.Context.UserClock.LocalTimeOf(p.Of.SavedAt), p.Context.Prefs,
                                               p.Context.UserLocale);
}

const Placeholder<Library> kIndexPlaceholders[] = {
    {"##PROJECT-COUNT##", [](const IndexEntry& i) { return std::to_string(i.Of.Converted.size()); }},
    {"##FAILED-COUNT##", [](const IndexEntry& i) { return std::to_string(i.Of.Failed.size()); }},
    {"##LIBRARY-PLUGIN-COUNT##", [](const IndexEntry& i) { return std::to_string(i.Of.Plugins.size()); }},
    {"##DATE##", [](const IndexEntry& i) { return FormatCurrentDate(i.Context.Prefs, i.Context.UserLocale, i.Context.UserClock); }},
    {"##TIME##", [](const IndexEntry& i) { return FormatCurrentTime(i.Context.Prefs, i.Context.UserLocale, i.Context.UserClock); }},
};

const Placeholder<LibraryProject> kProjectPlaceholders[] = {
    {"##PROJECT-NUM##", EntryNumber},
    {"##PROJECT-NAME##", [](const ProjectEntry& p) { return FileName(p.Of.Project); }},
    {"##PROJECT-FILE##", [](const ProjectEntry& p) { return p.Of.Project; }},
    {"##PROJECT-DOCUMENT##", [](const ProjectEntry& p) { return p.Of.Document; }},
    {"##PROJECT-VERSION##", [](const ProjectEntry& p) { return p.Of.ReaperVersion; }},
    {"##PROJECT-SAVED##", SavedDate},
    {"##PROJECT-LENGTH##", [](const ProjectEntry& p) { return FormatPreciseTime(p.Of.Length, p.Context.UserLocale); }},
    {"##PROJECT-TEMPO##", [](const ProjectEntry& p) { return FormatGeneralNumber(p.Of.Tempo, p.Context.UserLocale); }},
    {"##PROJECT-TRACKS##", [](const ProjectEntry& p) { return std::to_string(p.Of.Tracks); }},
    {"##PROJECT-ITEMS##", [](const ProjectEntry& p) { return std::to_string(p.Of.Items); }},
    {"##PROJECT-PLUGINS##", [](const ProjectEntry& p) { return std::to_string(p.Of.PluginInstances); }},
    {"##PROJECT-MISSING##", [](const ProjectEntry& p) { return std::to_string(p.Of.MissingFiles); }},
};

const Placeholder<LibraryProject> kFailedPlaceholders[] = {
    {"##FAILED-NUM##", EntryNumber},
    {"##FAILED-FILE##", [](const ProjectEntry& p) { return p.Of.Project; }},
    {"##FAILED-REASON##", [](const ProjectEntry& p) { return p.Of.Failure; }},
};

const Placeholder<LibraryPlugin> kPluginPlaceholders[] = {
    {"##LIBRARY-PLUGIN-NUM##", EntryNumber},
    {"##LIBRARY-PLUGIN-NAME##", [](const PluginEntry& p) { return p.Of.Identity.Name; }},
    {"##LIBRARY-PLUGIN-FORMAT##", [](const PluginEntry& p) { return p.Of.Identity.Format; }},
    {"##LIBRARY-PLUGIN-VENDOR##", [](const PluginEntry& p) { return p.Of.Identity.Vendor; }},
    {"##LIBRARY-PLUGIN-INSTANCES##", [](const PluginEntry& p) { return std::to_string(p.Of.Count); }},
    {"##LIBRARY-PLUGIN-PROJECTS##", [](const PluginEntry& p) { return JoinedList(p.Of.Projects, p.Context.Prefs); },
     KeptMarkup::ListSeparator},
    {"##LIBRARY-PLUGIN-TRACKS##", [](const PluginEntry& p) { return JoinedList(p.Of.Uses, p.Context.Prefs); },
     KeptMarkup::ListSeparator},
};

const Placeholder<std::pair<const LibraryProject*, const MissingFile*>> kMissingPlaceholders[] = {
    {"##MISSING-NUM##", EntryNumber},
    {"##MISSING-PROJECT##", [](const MissingEntry& m) { return FileName(m.Of.first->Project); }},
    {"##MISSING-TRACK##", [](const MissingEntry& m) { return m.Of.second->Track; }},
    {"##MISSING-ITEM##", [](const MissingEntry& m) { return m.Of.second->Item; }},
    {"##MISSING-FILE##", [](const MissingEntry& m) { return m.Of.second->File; }},
};

// "Master, Drums, Track 3": a track without a name by its number.
std::string TrackNames(const ProjectModel& model, const std::vector<int>& tracks)
{
    std::string names;
    for (const int track : tracks) {
        const std::string& name = track == 0 ? "Master" : model.Track(track).Name;
        names += (names.empty() ? "" : ", ") + (name.empty() ? "Track " + std::to_string(track) : name);
    }
    return names;
}

std::vector<LibraryPlugin> Inventory(const std::vector<const LibraryProject*>& projects)
{
    std::map<std::tuple<std::string, std::string, std::string>, LibraryPlugin> byIdentity;
    for (const LibraryProject* project : projects)
        for (std::size_t n = 0; n < project->Plugins.size(); ++n) {
            const PluginRecord& plugin = project->Plugins[n];
            LibraryPlugin& entry = byIdentity[{plugin.Identity.Name, plugin.Identity.Format, plugin.Identity.Vendor}];
            entry.Identity = plugin.Identity;
            entry.Count += plugin.Count;
            entry.Projects.push_back(FileName(project->Project));
            entry.Uses.push_back(entry.Projects.back() + " (" + project->PluginTracks[n] + ")");
        }
    std::vector<LibraryPlugin> plugins;
    for (auto& [key, plugin] : byIdentity)
        plugins.push_back(std::move(plugin));
    return plugins;
}

}  // namespace

LibraryProject SummarizeProject(const ProjectModel& model, std::string project, std::string document)
{
    const SessionFacts facts(model);
    LibraryProject summary;
    summary.Project = std::move(project);
    summary.Document = std::move(document);
    summary.ReaperVersion = model.Info.ReaperVersion;
    summary.SavedAt = model.Info.SavedAt;
    summary.Length = facts.ProjectLength();
    summary.Tempo = model.Info.Tempo;
    summary.Tracks = model.Info.TrackCount;
    summary.Items = facts.ItemCount();
    summary.Plugins = facts.Plugins();
    summary.MissingFiles = facts.MissingMediaCount();
    for (const PluginRecord& plugin : summary.Plugins) {
        summary.PluginInstances += plugin.Count;
        summary.PluginTracks.push_back(TrackNames(model, plugin.Tracks));
    }
    for (int t = 1; t <= model.Info.TrackCount; ++t)
        for (const ItemRecord& item : model.Track(t).ItemTable)
            if (item.MediaMissing)
                summary.Missing.push_back({model.Track(t).Name, item.Name, item.Active()->File});
    return summary;
}

std::vector<std::string_view> IndexPlaceholderNames()
{
    std::vector<std::string_view> names;
    const auto add = [&](const auto& table) {
        for (const auto& row : table)
            names.push_back(row.Name);
    };
    add(kIndexPlaceholders);
    add(kProjectPlaceholders);
    add(kFailedPlaceholders);
    add(kPluginPlaceholders);
    add(kMissingPlaceholders);
    return names;
}

std::vector<std::string_view> IndexSectionNames()
{
    return {"PROJECT", "FAILED", "LIBRARY-PLUGIN", "LIBRARY-PLUGIN-BY-COUNT", "MISSING"};
}

std::string ExpandIndex(std::string_view templateText, const std::vector<LibraryProject>& projects,
                        const GenerationContext& callerContext)
{
    GenerationContext context = callerContext;
    context.EscapeHtml = templateText.find(HtmlEscapeDeclaration) != std::string_view::npos;
    Library library{projects, {}, {}, {}};
    for (const LibraryProject& project : projects)
        (project.Failure.empty() ? library.Converted : library.Failed).push_back(&project);
    library.Plugins = Inventory(library.Converted);
    std::vector<LibraryPlugin> byCount = library.Plugins;
    std::stable_sort(byCount.begin(), byCount.end(), [](const auto& a, const auto& b) { return a.Count > b.Count; });
    std::vector<std::pair<const LibraryProject*, const MissingFile*>> missing;
    for (const LibraryProject* project : library.Converted)
        for (const MissingFile& file : project->Missing)
            missing.emplace_back(project, &file);

    std::string text;
    TableFiller<Library>(templateText, kIndexPlaceholders).Append(text, {context, 1, library});
    ExpandMarkedSection(text, "<!-- PROJECT-START -->", "<!-- PROJECT-END -->", [&](std::string& out, std::string_view body) {
        AppendEach<LibraryProject>(out, body, kProjectPlaceholders, library.Converted, context);
    });
    ExpandMarkedSection(text, "<!-- FAILED-START -->", "<!-- FAILED-END -->", [&](std::string& out, std::string_view body) {
        AppendEach<LibraryProject>(out, body, kFailedPlaceholders, library.Failed, context);
    });
    ExpandMarkedSection(text, "<!-- LIBRARY-PLUGIN-START -->", "<!-- LIBRARY-PLUGIN-END -->",
                        [&](std::string& out, std::string_view body) {
                            AppendEach<LibraryPlugin>(out, body, kPluginPlaceholders, library.Plugins, context);
                        });
    ExpandMarkedSection(text, "<!-- LIBRARY-PLUGIN-BY-COUNT-START -->", "<!-- LIBRARY-PLUGIN-BY-COUNT-END -->",
                        [&](std::string& out, std::string_view body) {
                            AppendEach<LibraryPlugin>(out, body, kPluginPlaceholders, byCount, context);
                        });
    ExpandMarkedSection(text, "<!-- MISSING-START -->", "<!-- MISSING-END -->", [&](std::string& out, std::string_view body) {
        AppendEach<std::pair<const LibraryProject*, const MissingFile*>>(out, body, kMissingPlaceholders, missing, context);
    });
    return text;
}

}  // namespace sondrel
