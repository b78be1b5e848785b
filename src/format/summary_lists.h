#pragma once

#include <string>

#include "format/preferences.h"
#include "model/project_model.h"

namespace sondrel {

// The separator text for the stored choice: "<BR>", " ", "\t", "," or ", ".
std::string ListSeparatorText(const Preferences& preferences);

// One track's FX names, item names, sends ("Trk 3:Bass") and receives, joined
// by the chosen separator.
std::string FxListText(const ProjectModel& model, int track, const Preferences& preferences);
std::string ItemListText(const ProjectModel& model, int track, const Preferences& preferences);
std::string SendListText(const ProjectModel& model, int track, const Preferences& preferences);
std::string ReceiveListText(const ProjectModel& model, int track, const Preferences& preferences);

// The names of any FX chain (a track's, the master's, an item's takes'), joined by the chosen separator.
std::string FxNamesText(const std::vector<FxRecord>& chain, const Preferences& preferences);

// Any texts joined by the chosen separator.
std::string JoinedList(const std::vector<std::string>& texts, const Preferences& preferences);

}  // namespace sondrel
