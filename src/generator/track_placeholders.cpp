#include "generator/track_placeholders.h"

#include "format/summary_lists.h"
#include "format/value_format.h"
#include "generator/substitution.h"

namespace sondrel {

void ReplaceTrackPlaceholders(std::string& trackCopy, int track, const GenerationContext& context)
{
    const ProjectModel& model = context.Model;
    const TrackRecord& record = model.Track(track);
    const Preferences& prefs = context.Prefs;
    std::vector<Substitution> values{
        {"##TRACK-NUM##", std::to_string(track)},
        {"##TRACK-NAME##", record.Name},
        {"##VOLUME##", FormatVolumeDb(record.Volume, context.UserLocale)},
        {"##PAN##", FormatPan(record.Pan)},
        {"##MUTE##", TextIfSet(record.Mute, "Mute")},
        {"##SOLO##", TextIfSet(record.Solo, "Solo")},
        {"##FX-LIST##", FxListText(model, track, prefs)},
        {"##ITEM-LIST##", ItemListText(model, track, prefs)},
        {"##SEND-LIST##", SendListText(model, track, prefs)},
        {"##RCV-LIST##", ReceiveListText(model, track, prefs)},
        {"##IS-GROUP##", TextIfSet(record.IsGroup, "Is Group")},
        {"##IN-GROUP##", TextIfSet(record.InGroup, "In Group")},
    };
    if (context.EscapeHtml)
        EscapeValuesForHtml(values, ListSeparatorText(prefs),
                            {"##FX-LIST##", "##ITEM-LIST##", "##SEND-LIST##", "##RCV-LIST##"});
    std::string filled;
    filled.reserve(trackCopy.size());
    SubstitutionPlan(trackCopy, values).AppendFilled(filled, values);
    trackCopy = std::move(filled);
}

}  // namespace sondrel
