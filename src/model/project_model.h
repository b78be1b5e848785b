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
    std::string Notes;           // notes lines joined by "<br>", each with its leading "|"
    std::string SampleRateText;
    float Tempo = 0;
    std::int16_t TimeSigNumerator = 0;
    std::int16_t TimeSigDenominator = 0;
    std::int16_t TrackCount = 0;
};

struct FxRecord {
    std::string FxType;  // "VST", "JS", "AU", "CLAP", ... (the block opener without "<")
    std::string Name;
    std::string Dll;
    bool Bypassed = false;
};

struct ItemRecord {
    float Position = 0;
    float Length = 0;
    std::string Name;
    float Pan = 0;
    bool Mute = false;
    float Volume = 0;
    std::int16_t Group = 0;
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
};

struct TrackRecord {
    std::string Name;
    float Pan = 0;
    bool Mute = false;
    bool Solo = false;
    float Volume = 0;
    bool IsGroup = false;
    bool InGroup = false;
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

    void Clear();
    // Track number n; an empty record for a number without a slot.
    const TrackRecord& Track(int number) const;
    // Slot n, created (with every slot below it) when missing.
    TrackRecord& SlotForWriting(int number);
};

}  // namespace sondrel
