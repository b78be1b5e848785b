#pragma once

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/project_model.h"
#include "reader/numbers.h"

namespace sondrel {

// The reader's state machine: fed one line at a time, it fills the model.
//
// Blocks are tracked by depth: a line whose first field begins with "<" opens
// one, a line that is only ">" closes the innermost (with none open it closes
// nothing). A block's "level" below is the depth of the lines directly inside
// it; a line stands at the depth of the blocks open around it.
class ProjectParser {
public:
    // Fills a cleared model; path is kept in SourcePath and names the file in messages.
    ProjectParser(ProjectModel& model, const std::string& path);

    // Interprets one line (without its line end); number is its 1-based line number.
    void ReadLine(std::string_view line, long number);

    // After the last line: throws FileError when the file had neither a
    // project nor a track block at its top level, so is no REAPER project.
    void Finish() const;

private:
    enum class NameOwner { None, Track, Item };
    // Whose FX chain an FX block adds to.
    enum class FxOwner { Track, Master, Take };

    // Block structure (project_parser.cpp).
    void OpenBlock(std::string_view line);
    void CloseBlock(std::string_view line);
    void ReadContent(std::string_view line);
    void AppendNote(std::string_view line);
    void ReadNameBlockLine(std::string_view line);
    void BeginNameBlock(NameOwner owner);
    [[noreturn]] void Fail(const std::string& reason) const;
    // A track's table of what (FX, items, sends and receives) is full.
    [[noreturn]] void FailTableFull(int track, const char* what) const;
    LinePlace Place() const { return LinePlace{path_, lineNumber_}; }
    // The gain and pan of a VOLPAN line, track's or item's; a missing field is 0.
    void ReadVolumePan(std::string_view line, float& volume, float& pan) const;

    // The project header: before the first track (header_rules.cpp).
    void OpenHeaderBlock(std::string_view kind, std::string_view line);
    void ReadHeaderLine(std::string_view line);
    void ReadProjectLine(std::string_view line);
    void ReadMarker(std::string_view line);
    void ReadTempoPoint(std::string_view line);
    void ReadRenderLine(std::string_view keyword, std::string_view line);

    // FX chains of tracks, the master and takes (fx_rules.cpp).
    std::vector<FxRecord>& FxTableOf(FxOwner owner);
    void OpenChainBlock(FxOwner owner, std::string_view kind, std::string_view line);
    void ReadChainLine(FxOwner owner, std::string_view line);
    void ReadBypass(FxOwner owner, std::string_view line);
    void AddFx(FxOwner owner, std::string_view kind, std::string_view line);
    void CloseContainers();

    // The current track (track_rules.cpp).
    TrackRecord& CurrentTrack();
    void BeginTrack();
    void OpenTrackBlock(std::string_view kind, std::string_view line);
    void ReadTrackContent(std::string_view line);
    void ReadTrackLine(std::string_view line);
    void ApplyGroupRule(std::string_view line);
    void AddReceive(std::string_view line);
    void AddHardwareOutput(std::string_view line);

    // The current item (item_rules.cpp).
    ItemRecord& CurrentItem();
    TakeRecord& CurrentTake();
    void BeginItem();
    void OpenItemBlock(std::string_view kind, std::string_view line);
    void ReadItemContent(std::string_view line);
    void ReadItemLine(std::string_view line);
    void BeginTake(std::string_view line);

    ProjectModel& model_;
    const std::string& path_;
    long lineNumber_ = 0;

    long depth_ = 0;
    bool projectOrTrackSeen_ = false;  // "<REAPER_PROJECT" or "<TRACK" at the top level
    bool projectOpen_ = false;  // the outermost block is "<REAPER_PROJECT"
    bool headerOpen_ = false;   // in the project, before its first track
    long notesLevel_ = 0;       // the project notes; 0: none open
    long trackLevel_ = 0;
    long itemLevel_ = 0;
    long freezeLevel_ = 0;      // a frozen track's stored chain and items, skipped whole
    long nameBlockLevel_ = 0;   // a "<NAME" block holding the exact name
    NameOwner nameOwner_ = NameOwner::None;
    bool nameBlockTaken_ = false;
    bool activeTake_ = false;   // the item's current take is its active one
    bool groupOpen_ = false;
    int folderDepth_ = 0;       // folders open after the current track
    // Per FX owner: the bypass and offline states of the last BYPASS line, for the FX after it.
    std::array<std::pair<bool, bool>, 3> pendingBypass_{};
    long masterFxLevel_ = 0;    // the master's FX chain
    long tempoLevel_ = 0;       // the tempo map's points
    long chainLevel_ = 0;       // a track's FX chain (not the input FX)
    long inputChainLevel_ = 0;  // a track's input FX chain
    long sourceLevel_ = 0;      // the outer source block of the current take
    long itemNotesLevel_ = 0;
    long takeFxLevel_ = 0;
    std::vector<std::pair<long, std::string>> containers_;  // open FX containers: level, name
};

}  // namespace sondrel
