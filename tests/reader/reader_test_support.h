#pragma once

#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

#include "model/file_error.h"
#include "model/project_model.h"
#include "reader/read_project.h"

namespace sondrel::testing {

// The lines joined by line feeds, ready to read.
inline std::string Project(std::initializer_list<std::string> lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

inline ProjectModel Read(const std::string& text)
{
    ProjectModel model;
    ReadProjectText(model, text, "test.rpp");
    return model;
}

// The message of the failure that reading text gives, or "" when it reads.
inline std::string ReadFailure(const std::string& text)
{
    ProjectModel model;
    try {
        ReadProjectText(model, text, "test.rpp");
    } catch (const FileError& error) {
        return error.what();
    }
    return "";
}

// The values written one after another, as a stream shows them.
template <typename... Values>
std::string Text(const Values&... values)
{
    std::ostringstream out;
    (out << ... << values);
    return out.str();
}

// A track's name, volume, pan and set flags in one line: "Bass 0.5 -0.25 mute solo group in-group".
inline std::string Mixer(const TrackRecord& track)
{
    return Text(track.Name, ' ', track.Volume, ' ', track.Pan, track.Mute ? " mute" : "", track.Solo ? " solo" : "",
                track.IsGroup ? " group" : "", track.InGroup ? " in-group" : "");
}

// Each FX as "type|name|plug-in file", with "|bypassed" when it is.
inline std::vector<std::string> Fx(const TrackRecord& track)
{
    std::vector<std::string> out;
    for (const FxRecord& fx : track.FxTable)
        out.push_back(fx.FxType + "|" + fx.Name + "|" + fx.Dll + (fx.Bypassed ? "|bypassed" : ""));
    return out;
}

// Each item as "name position length volume pan group", with " mute" when muted.
inline std::vector<std::string> Items(const TrackRecord& track)
{
    std::vector<std::string> out;
    for (const ItemRecord& item : track.ItemTable)
        out.push_back(Text(item.Name, ' ', item.Position, ' ', item.Length, ' ', item.Volume, ' ', item.Pan, ' ',
                           item.Group, item.Mute ? " mute" : ""));
    return out;
}

// Each routing entry as kind and other track, then volume and pan: "R3 0.5 -0.5", " mute" when muted.
inline std::vector<std::string> Routing(const TrackRecord& track)
{
    std::vector<std::string> out;
    for (const ReceiveRecord& entry : track.ReceiveTable)
        out.push_back(Text(entry.Kind, entry.TrackNumText, ' ', entry.Volume, ' ', entry.Pan, entry.Mute ? " mute" : ""));
    return out;
}

using Lines = std::vector<std::string>;

}  // namespace sondrel::testing
