#pragma once

#include <string>
#include <utility>

#include "format/preferences.h"
#include "generator/expand_template.h"
#include "model/project_model.h"
#include "support/fakes.h"

namespace sondrel::testing {

// A project built in code, with the fixed US locale and clock of the fakes.
struct GeneratorFixture {
    ProjectModel model;
    Preferences prefs;
    FixedLocale locale;
    FixedClock clock;

    GenerationContext Context() const { return {model, prefs, locale, clock}; }

    // Appends a track and counts it; the reference is valid until the next call.
    TrackRecord& AddTrack(std::string name)
    {
        TrackRecord track;
        track.Name = std::move(name);
        track.Volume = 1.0F;
        model.Tracks.push_back(std::move(track));
        model.Info.TrackCount = static_cast<std::int16_t>(model.Tracks.size() - 1);
        return model.Tracks.back();
    }

    // A receive on track destination from track source, with its mirrored send.
    void AddRoute(int source, int destination, float volume = 1.0F, float pan = 0.0F, bool mute = false)
    {
        model.SlotForWriting(destination).ReceiveTable.push_back({"R", std::to_string(source), volume, pan, mute});
        model.SlotForWriting(source).ReceiveTable.push_back({"S", std::to_string(destination), volume, pan, mute});
    }
};

}  // namespace sondrel::testing
