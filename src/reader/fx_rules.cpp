// What the lines of an FX chain do, the track's, the master's or a take's:
// each plug-in block is an FX, with the BYPASS line before it and the
// PRESETNAME and WET lines after it; containers group FX.
#include <string>
#include <tuple>

#include "reader/line_fields.h"
#include "reader/project_parser.h"

namespace sondrel {

namespace {
bool IsFxOpener(std::string_view kind)
{
    return kind == "<VST" || kind == "<DX" || kind == "<JS" || kind == "<AU" || kind == "<CLAP" ||
           kind == "<LV2" || kind == "<VIDEO_EFFECT";
}

// Where the user's own name for the plug-in stands in its opening line, as
// REAPER writes each kind: <VST "VST: ReaEQ (Cockos)" reaeq.dll 0 "label" ...,
// <AU "AU: name" "Vendor: name" "label" ..., <CLAP "CLAP: name" id "label",
// <JS path "label". 0 for kinds whose lines we have not seen.
std::size_t LabelToken(std::string_view kind)
{
    if (kind == "<VST")
        return 5;
    if (kind == "<AU" || kind == "<CLAP")
        return 4;
    return kind == "<JS" ? 3 : 0;
}
}  // namespace

std::vector<FxRecord>& ProjectParser::FxTableOf(FxOwner owner)
{
    switch (owner) {
    case FxOwner::Master:
        return model_.Master.FxTable;
    case FxOwner::Take:
        return CurrentItem().TakeFx;
    case FxOwner::Track:
        break;
    }
    return CurrentTrack().FxTable;
}

void ProjectParser::OpenChainBlock(FxOwner owner, std::string_view kind, std::string_view line)
{
    if (kind == "<CONTAINER") {
        const LineParts tokens = SplitTokens(line);
        containers_.emplace_back(depth_ + 1, std::string(tokens[3].empty() ? tokens[2] : tokens[3]));
    } else if (IsFxOpener(kind)) {
        AddFx(owner, kind, line);
    }
}

void ProjectParser::CloseContainers()
{
    while (!containers_.empty() && containers_.back().first >= depth_)
        containers_.pop_back();
}

void ProjectParser::ReadChainLine(FxOwner owner, std::string_view line)
{
    const std::string_view keyword = FirstField(line);
    if (keyword == "BYPASS") {
        ReadBypass(owner, line);
        return;
    }
    std::vector<FxRecord>& table = FxTableOf(owner);
    if (table.empty())
        return;
    if (keyword == "PRESETNAME")
        table.back().Preset = std::string(SplitTokens(line)[2]);
    else if (keyword == "WET")
        table.back().Wet = static_cast<float>(DecimalOr(NthField(line, 2), 1));
}

// "BYPASS bypassed offline ...": holds for every FX of the owner after it.
void ProjectParser::ReadBypass(FxOwner owner, std::string_view line)
{
    const LineParts fields = SplitFields(line);
    pendingBypass_[static_cast<std::size_t>(owner)] = {IntOrZero(fields[2], Place()) == 1,
                                                       WholeOr(fields[3], 0) == 1};
}

// "<VST "VST: ReaEQ (Cockos)" reaeq.dll 0 ..." gives the kind, the name and the plug-in file.
void ProjectParser::AddFx(FxOwner owner, std::string_view kind, std::string_view line)
{
    std::vector<FxRecord>& table = FxTableOf(owner);
    if (static_cast<int>(table.size()) >= MaxTableEntries)
        FailTableFull(owner == FxOwner::Master ? 0 : model_.Info.TrackCount, "FX");
    const LineParts tokens = SplitTokens(line);
    FxRecord fx;
    fx.FxType = std::string(kind.substr(1));
    fx.Name = std::string(tokens[2]);
    fx.Dll = std::string(tokens[3]);
    std::tie(fx.Bypassed, fx.Offline) = pendingBypass_[static_cast<std::size_t>(owner)];
    if (const std::size_t label = LabelToken(kind); label != 0)
        fx.Label = std::string(tokens[label]);
    if (owner == FxOwner::Master)
        fx.ChainOff = !model_.Master.FxChainOn;
    else if (owner == FxOwner::Track)
        fx.ChainOff = chainLevel_ != 0 && !CurrentTrack().FxChainOn;
    fx.Input = owner == FxOwner::Track && inputChainLevel_ != 0;
    if (!containers_.empty())
        fx.Container = containers_.back().second;
    table.push_back(std::move(fx));
}

}  // namespace sondrel
