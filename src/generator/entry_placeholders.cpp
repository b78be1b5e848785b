#include "generator/entry_placeholders.h"

#include "format/value_format.h"

namespace sondrel {

namespace {
using Fx = Entry<FxRecord>;
using Item = Entry<ItemRecord>;
using Routing = Entry<ReceiveRecord>;

std::string Number(const auto& entry) { return std::to_string(entry.Number); }

const Placeholder<FxRecord> kFxPlaceholders[] = {
    {"##FX-NUM##", Number},
    {"##FX-NAME##", [](const Fx& fx) { return fx.Of.Name; }},
    {"##FX-DLL##", [](const Fx& fx) { return fx.Of.Dll; }},
    {"##FX-TYPE##", [](const Fx& fx) { return fx.Of.FxType; }},
    {"##FX-ACTIVE##", [](const Fx& fx) { return TextIfClear(fx.Of.Bypassed, "Active"); }},
};

const Placeholder<ItemRecord> kItemPlaceholders[] = {
    {"##ITEM-NUM##", Number},
    {"##ITEM-NAME##", [](const Item& item) { return item.Of.Name; }},
    {"##ITEM-POS##", [](const Item& item) { return FormatSeconds(item.Of.Position, item.Context.UserLocale); }},
    {"##ITEM-LEN##", [](const Item& item) { return FormatSeconds(item.Of.Length, item.Context.UserLocale); }},
    {"##ITEM-GROUP##", [](const Item& item) { return std::to_string(item.Of.Group); }},
    {"##ITEM-MUTE##", [](const Item& item) { return TextIfSet(item.Of.Mute, "Mute"); }},
    {"##ITEM-VOLUME##", [](const Item& item) { return FormatVolumeDb(item.Of.Volume, item.Context.UserLocale); }},
    {"##ITEM-PAN##", [](const Item& item) { return FormatPan(item.Of.Pan); }},
};

// Sends and receives share their values; only the names' prefix differs.
std::string OtherTrackNumber(const Routing& r) { return std::to_string(r.Of.OtherTrack); }
std::string OtherTrackName(const Routing& r) { return r.Context.Model.Track(r.Of.OtherTrack).Name; }
std::string RoutingMute(const Routing& r) { return TextIfSet(r.Of.Mute, "Mute"); }
std::string RoutingVolume(const Routing& r) { return FormatVolumeDb(r.Of.Volume, r.Context.UserLocale); }
std::string RoutingPan(const Routing& r) { return FormatPan(r.Of.Pan); }

const Placeholder<ReceiveRecord> kSendPlaceholders[] = {
    {"##SEND-NUM##", Number},
    {"##SEND-TRACK-NUM##", OtherTrackNumber},
    {"##SEND-TRACK-NAME##", OtherTrackName},
    {"##SEND-MUTE##", RoutingMute},
    {"##SEND-VOLUME##", RoutingVolume},
    {"##SEND-PAN##", RoutingPan},
};

const Placeholder<ReceiveRecord> kReceivePlaceholders[] = {
    {"##RCV-NUM##", Number},
    {"##RCV-TRACK-NUM##", OtherTrackNumber},
    {"##RCV-TRACK-NAME##", OtherTrackName},
    {"##RCV-MUTE##", RoutingMute},
    {"##RCV-VOLUME##", RoutingVolume},
    {"##RCV-PAN##", RoutingPan},
};
}  // namespace

PlaceholderTable<FxRecord> FxPlaceholders() { return kFxPlaceholders; }
PlaceholderTable<ItemRecord> ItemPlaceholders() { return kItemPlaceholders; }
PlaceholderTable<ReceiveRecord> SendPlaceholders() { return kSendPlaceholders; }
PlaceholderTable<ReceiveRecord> ReceivePlaceholders() { return kReceivePlaceholders; }

}  // namespace sondrel
