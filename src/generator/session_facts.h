#pragma once

#include <optional>
#include <string>
#include <vector>

#include "format/bars_beats.h"
#include "format/plugin_names.h"
#include "model/project_model.h"

namespace sondrel {

// One source file, however many items use it.
struct MediaRecord {
    std::string File;          // as written
    bool Missing = false;
    int Uses = 0;              // items whose active take plays it
    std::vector<int> Tracks;   // the tracks of those items, once each, in order
};

// One plug-in, however many chains hold it: told apart by format, name and
// vendor, not by the label a user gave an instance.
struct PluginRecord {
    PluginIdentity Identity;
    int Count = 0;             // instances on tracks, takes, input chains and the master
    std::vector<int> Tracks;   // the tracks using it, once each; 0 for the master
};

// What the document knows of the whole session beyond the model's own
// fields: made once per document, the inventories only when a template
// asks for them.
class SessionFacts {
public:
    explicit SessionFacts(const ProjectModel& model);

    const TempoMap& Tempo() const { return tempo_; }
    // The end of the last item, in seconds.
    double ProjectLength() const;
    int ItemCount() const;
    int FxCount() const;
    // Source files in the order of first use, tracks in order.
    const std::vector<MediaRecord>& Media() const;
    // Plug-ins sorted by name, then format and vendor.
    const std::vector<PluginRecord>& Plugins() const;
    int MissingMediaCount() const;

private:
    const ProjectModel& model_;
    TempoMap tempo_;
    mutable std::optional<std::vector<MediaRecord>> media_;
    mutable std::optional<std::vector<PluginRecord>> plugins_;
};

// Track names for a list: "Master" for 0.
std::string TrackNameFor(const ProjectModel& model, int track);

}  // namespace sondrel
