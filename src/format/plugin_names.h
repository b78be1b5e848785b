#pragma once

#include <string>

#include "model/project_model.h"

namespace sondrel {

// What an FX's name says about its plug-in. REAPER names a plug-in
// "VST3i: Vital (Vital Audio)": its format before the colon, the vendor in
// the first bracket after the name, channel notes like "(mono)" after that;
// AU names may give the vendor before a second colon ("AU: Apple: AUDelay").
struct PluginIdentity {
    std::string Format;  // VST, VSTi, VST3, VST3i, AU, AUi, JS, CLAP, CLAPi, LV2, LV2i, DX, DXi, Video
    std::string Name;    // without format, vendor and notes
    std::string Vendor;  // "" when the name gives none
};

PluginIdentity IdentifyPlugin(const FxRecord& fx);

}  // namespace sondrel
