#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sondrel {

// Every table of the model (tracks, and per track its FX, items and routing
// entries) holds at most this many entries: counts are 16-bit.
inline constexpr int MaxTableEntries = 32767;

struct ProjectInfo {
    std::string SourcePath;
    std::string VersionText;
    std::string ReaperVersion;   // the program and platform that saved it: "7.14/win64"
    std::int64_t SavedAt = 0;    // seconds since 1970 (UTC) when it was saved; 0 when not written
    std::string RecordPath;      // where recordings go, as written: relative to the project folder or whole
    std::string Notes;           // notes lines joined by "<br>", each with its leading "|"
    std::string SampleRateText;
    float Tempo = 0;
    std::int16_t TimeSigNumerator = 0;
    std::int16_t TimeSigDenominator = 0;
    std::int16_t TrackCount = 0;
    // Render settings, as the render dialog left them.
    std::string RenderFile;
    std::string RenderPattern;
    int RenderBounds = -1;       // 0 custom, 1 entire project, 2 time selection, 3 regions, 4 items, 5 selected regions
    double RenderStart = 0;      // custom bounds, seconds
    double RenderEnd = 0;
    int RenderChannels = 0;
    int RenderSampleRate = 0;    // 0: the project's
};

// REAPER writes a colour as a number whose bit 24 says that a colour is set;
// the low three bytes hold it in the saving platform's order.
inline constexpr std::uint32_t CustomColorFlag = 0x1000000;

// A marker, or a region (two MARKER lines with the same id): start, end.
struct MarkerRecord {
    int Id = 0;
    double Start = 0;
    double End = 0;      // regions only
    std::string Name;
    std::uint32_t Color = 0;
};

// One point of the tempo map.
struct TempoRecord {
    double Position = 0;
    double Bpm = 0;
    int Shape = 1;       // REAPER's envelope shape: 0 linear, 1 square, ...
    int Numerator = 0;   // the time signature that starts here; 0 for none
    int Denominator = 0;
};

struct FxRecord {
    std::string FxType;  // "VST", "JS", "AU", "CLAP", ... (the block opener without "<")
    std::string Name;
    std::string Dll;
    bool Bypassed = false;
    bool Offline = false;
    bool ChainOff = false;   // the whole chain it sits in is switched off
    std::string Label;       // the name the user gave it; empty when none
    std::string Preset;
    float Wet = 1;           // the dry/wet mix, 1 for all wet
    std::string Container;   // the container it sits in, empty at the chain's top
    bool Input = false;      // on the track's input (recording) chain
};

// One take of an item; an empty take ("TAKE NULL") has no source.
struct TakeRecord {
    std::string Name;
    std::string SourceType;  // "WAVE", "MIDI", "SECTION", ...: the outer source block's kind
    std::string File;        // the source file as written, the innermost source's for a section
};

struct ItemRecord {
    float Position = 0;
    float Length = 0;
    std::string Name;
    float Pan = 0;
    bool Mute = false;
    float Volume = 0;
    std::int16_t Group = 0;
    double Start = 0;        // the position and length at full precision
    double Duration = 0;
    double FadeIn = 0;       // seconds
    double FadeOut = 0;
    double PlayRate = 1;
    std::string Notes;       // lines joined by "<br>", each with its leading "|"
    std::uint32_t Color = 0;
    bool Locked = false;
    std::vector<TakeRecord> Takes;
    int ActiveTake = 0;      // index into Takes
    std::vector<FxRecord> TakeFx;
    bool MediaMissing = false;  // set after reading, when the active take's file cannot be found

    const TakeRecord* Active() const
    {
        return ActiveTake >= 0 && ActiveTake < static_cast<int>(Takes.size()) ? &Takes[static_cast<std::size_t>(ActiveTake)] : nullptr;
    }
};

// A receive is read from the track's own AUXRECV line; the send is its
// mirror, added to the track the receive comes from.
enum class RoutingKind { Send, Receive };

// One routing entry of a track and the other track it connects to.
struct ReceiveRecord {
    RoutingKind Kind = RoutingKind::Receive;
    int OtherTrack = 0;  // 1-based; 0 names the slot before the first track
    float Volume = 0;
    float Pan = 0;
    bool Mute = false;
    int Mode = 0;              // 0 post-fader, 1 pre-FX, 3 pre-fader (post-FX)
    int SourceChannels = 0;    // REAPER's channel code: -1 none, bit 10 mono, else the first of a pair
    int DestChannels = 0;
    int MidiFlags = 0;         // bits 0-4 source channel (0 all, 31 none), bits 5-9 destination channel
};

// One hardware output of a track: the output channel code and its mode.
struct HardwareOutput {
    int Channels = 0;
    int Mode = 0;
};

struct TrackRecord {
    std::string Name;
    float Pan = 0;
    bool Mute = false;
    bool Solo = false;
    float Volume = 0;
    bool IsGroup = false;
    bool InGroup = false;
    std::uint32_t Color = 0;  // PEAKCOL
    int Depth = 0;            // folders around it
    bool MainSend = true;     // sent to its parent (or the master)
    bool Armed = false;
    int RecordInput = 0;      // REAPER's input code
    bool FxChainOn = true;
    bool Frozen = false;
    bool Locked = false;
    int Channels = 2;
    std::vector<std::string> Envelopes;  // the automation envelopes it has, by name
    std::vector<HardwareOutput> HardwareOutputs;
    // Entry n of each table (1-based) is element n - 1.
    std::vector<FxRecord> FxTable;
    std::vector<ItemRecord> ItemTable;
    std::vector<ReceiveRecord> ReceiveTable;

    int FxCount() const { return static_cast<int>(FxTable.size()); }
    int ItemCount() const { return static_cast<int>(ItemTable.size()); }
    int ReceiveCount() const { return static_cast<int>(ReceiveTable.size()); }
};

// The one in-memory project. Tracks[n] is track n; slot 0 collects whatever
// stands before the first track and is never shown. Slots above TrackCount
// can exist: a receive may name a source track the file never defines, and
// the mirrored send lands there.
struct ProjectModel {
    ProjectInfo Info;
    std::vector<TrackRecord> Tracks = std::vector<TrackRecord>(1);
    TrackRecord Master;  // volume, pan, mute, channels and FX chain of the master track
    std::vector<MarkerRecord> Markers;  // in the file's order
    std::vector<MarkerRecord> Regions;
    std::vector<TempoRecord> TempoMap;

    void Clear();
    // Track number n; an empty record for a number without a slot.
    const TrackRecord& Track(int number) const;
    // Slot n, created (with every slot below it) when missing.
    TrackRecord& SlotForWriting(int number);
};

}  // namespace sondrel
