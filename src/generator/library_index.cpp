#include "generator/library_index.h"

#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <tuple>

#include "format/file_paths.h"
#include "format/session_values.h"
#include "format/summary_lists.h"
#include "format/value_format.h"
#include "generator/marker_search.h"
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
    {"##PROJECT-NAME##", [](const ProjectEntry& p) { return FileNameOf(p.Of.Project); }},
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
    {"##MISSING-PROJECT##", [](const MissingEntry& m) { return FileNameOf(m.Of.first->Project); }},
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
            entry.Projects.push_back(FileNameOf(project->Project));
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

namespace {
// The rows of one of a project's lists, made from the section's body as the
// template holds it.
template <class Record>
struct SectionRows {
    SectionRows(std::string_view templateText, std::string_view name, PlaceholderTable<Record> table)
        : Start("<!-- " + std::string(name) + "-START -->"), End("<!-- " + std::string(name) + "-END -->")
    {
        const std::size_t start = FindIgnoringCase(templateText, Start, 0);
        const std::size_t end = start == std::string::npos ? start : FindIgnoringCase(templateText, End, start);
        if (end != std::string::npos)
            Body = templateText.substr(start + Start.size(), end - start - Start.size());
        Filler.emplace(Body, table);
    }

    void Add(const Record& record, const GenerationContext& context)
    {
        Filler->Append(Text, {context, ++Count, record, 0});
    }

    // Expands the section in text: with the rows made, when the body is the
    // one they were made from; else afresh.
    void ExpandIn(std::string& text, const std::function<void(std::string&, std::string_view)>& afresh) const
    {
        ExpandMarkedSection(text, Start, End, [&](std::string& out, std::string_view body) {
            if (body == Body)
                out += Text;
            else
                afresh(out, body);
        });
    }

    std::string Start, End, Body, Text;
    int Count = 0;
    std::optional<TableFiller<Record>> Filler;
};
}  // namespace

struct IndexBuilder::Rows {
    Rows(std::string_view templateText)
        : Converted(templateText, "PROJECT", kProjectPlaceholders),
          Failed(templateText, "FAILED", kFailedPlaceholders),
          Missing(templateText, "MISSING", kMissingPlaceholders)
    {
    }
    SectionRows<LibraryProject> Converted;
    SectionRows<LibraryProject> Failed;
    SectionRows<std::pair<const LibraryProject*, const MissingFile*>> Missing;
};

IndexBuilder::IndexBuilder(std::string templateText, const GenerationContext& context)
    : template_(std::move(templateText)), context_(context), rows_(std::make_unique<Rows>(template_))
{
    context_.EscapeHtml = template_.find(HtmlEscapeDeclaration) != std::string::npos;
}

IndexBuilder::~IndexBuilder() = default;

void IndexBuilder::Add(LibraryProject project)
{
    if (!project.Failure.empty()) {
        rows_->Failed.Add(project, context_);
    } else {
        rows_->Converted.Add(project, context_);
        for (const MissingFile& file : project.Missing)
            rows_->Missing.Add({&project, &file}, context_);
    }
    projects_.push_back(std::move(project));
}

std::string IndexBuilder::Finish() const
{
    Library library{projects_, {}, {}, {}};
    for (const LibraryProject& project : projects_)
        (project.Failure.empty() ? library.Converted : library.Failed).push_back(&project);
    library.Plugins = Inventory(library.Converted);
    std::vector<LibraryPlugin> byCount = library.Plugins;
    std::stable_sort(byCount.begin(), byCount.end(), [](const auto& a, const auto& b) { return a.Count > b.Count; });

    std::string text;
    TableFiller<Library>(template_, kIndexPlaceholders).Append(text, {context_, 1, library});
    rows_->Converted.ExpandIn(text, [&](std::string& out, std::string_view body) {
        AppendEach<LibraryProject>(out, body, kProjectPlaceholders, library.Converted, context_);
    });
    rows_->Failed.ExpandIn(text, [&](std::string& out, std::string_view body) {
        AppendEach<LibraryProject>(out, body, kFailedPlaceholders, library.Failed, context_);
    });
    ExpandMarkedSection(text, "<!-- LIBRARY-PLUGIN-START -->", "<!-- LIBRARY-PLUGIN-END -->",
                        [&](std::string& out, std::string_view body) {
                            AppendEach<LibraryPlugin>(out, body, kPluginPlaceholders, library.Plugins, context_);
                        });
    ExpandMarkedSection(text, "<!-- LIBRARY-PLUGIN-BY-COUNT-START -->", "<!-- LIBRARY-PLUGIN-BY-COUNT-END -->",
                        [&](std::string& out, std::string_view body) {
                            AppendEach<LibraryPlugin>(out, body, kPluginPlaceholders, byCount, context_);
                        });
    rows_->Missing.ExpandIn(text, [&](std::string& out, std::string_view body) {
        std::vector<std::pair<const LibraryProject*, const MissingFile*>> missing;
        for (const LibraryProject* project : library.Converted)
            for (const MissingFile& file : project->Missing)
                missing.emplace_back(project, &file);
        AppendEach<std::pair<const LibraryProject*, const MissingFile*>>(out, body, kMissingPlaceholders, missing,
                                                                         context_);
    });
    return text;
}

std::string ExpandIndex(std::string_view templateText, const std::vector<LibraryProject>& projects,
                        const GenerationContext& context)
{
    IndexBuilder builder(std::string(templateText), context);
    for (const LibraryProject& project : projects)
        builder.Add(project);
    return builder.Finish();
}

}  // namespace sondrel
