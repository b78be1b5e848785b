// Random templates against one real project (tracks with items, FX, sends and
// receives): expansion must not crash or hang, and the document may grow only
// in proportion to the template and the project. The project is read once:
// the file named by SONDREL_FUZZ_PROJECT, else a corpus project beside the
// source tree, else a small project made here.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <tuple>

#include "format/document_size.h"
#include "format/locale.h"
#include "format/preferences.h"
#include "generator/expand_template.h"
#include "model/project_model.h"
#include "reader/read_project.h"
#include "support/fixed_locale.h"

namespace {

using namespace sondrel;

using PlainLocale = testing::FixedLocale;
using StillClock = testing::FixedClock;

std::string ProjectPath()
{
    if (const char* chosen = std::getenv("SONDREL_FUZZ_PROJECT"))
        return chosen;
    const std::filesystem::path source = std::filesystem::path(__FILE__).parent_path();
    return (source / ".." / ".." / "shared" / "corpus" / "rpp" / "lnqs__intrusion__music.rpp")
        .string();
}

// Every kind of entry once, with values that themselves hold placeholders.
void MakeSmallProject(ProjectModel& model)
{
    model.Clear();
    model.Info.SourcePath = "##TRACK-NAME##.rpp";
    model.Info.Notes = "|##DATE##<br>|notes";
    model.Info.Tempo = 120;
    model.Info.TimeSigNumerator = 4;
    model.Info.TimeSigDenominator = 4;
    for (int number = 1; number <= 3; ++number) {
        TrackRecord& track = model.SlotForWriting(number);
        track.Name = "Track ##FX-NAME## " + std::to_string(number);
        track.Volume = 0.5F * static_cast<float>(number);
        track.Mute = number == 2;
        track.IsGroup = number == 1;
        track.InGroup = number > 1;
        FxRecord& fx = track.FxTable.emplace_back();
        std::tie(fx.FxType, fx.Name, fx.Dll, fx.Bypassed) = std::tuple("VST", "EQ ##ITEM-NAME##", "eq.dll", number == 3);
        ItemRecord& item = track.ItemTable.emplace_back();
        std::tie(item.Position, item.Length, item.Name, item.Pan, item.Volume, item.Group) =
            std::tuple(1.5F, 2.0F, "Item ##SEND-NUM##", -0.5F, 1.0F, 1);
        item.Takes.push_back({"Take ##MARKER-NAME##", "WAVE", "media/##ITEM-FILE##.wav"});
    }
    model.Tracks[2].ReceiveTable.push_back({.Kind = RoutingKind::Receive, .OtherTrack = 1, .Volume = 1.0F});
    model.Tracks[1].ReceiveTable.push_back({.Kind = RoutingKind::Send, .OtherTrack = 2, .Volume = 1.0F});
    model.Markers.push_back({1, 2.5, 0, "Marker ##TRACK-NAME##", CustomColorFlag | 0x123456});
    model.Info.TrackCount = 3;
}

struct FuzzProject {
    ProjectModel model;
    std::size_t size = 0;  // bytes of the project file, or a stand-in for the small one

    FuzzProject()
    {
        const std::string path = ProjectPath();
        std::error_code error;
        const auto bytes = std::filesystem::file_size(path, error);
        try {
            if (error)
                throw std::runtime_error("no project");
            ReadProject(model, path);
            size = static_cast<std::size_t>(bytes);
            std::fprintf(stderr, "expand_template_fuzz: %s, %d tracks\n", path.c_str(), model.Info.TrackCount);
        } catch (const std::exception&) {
            MakeSmallProject(model);
            size = 4096;
            std::fprintf(stderr, "expand_template_fuzz: %s unreadable, using a small project\n", path.c_str());
        }
    }
};

const FuzzProject& Project()
{
    static const FuzzProject project;
    return project;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const FuzzProject& project = Project();
    const Preferences prefs;
    const PlainLocale locale;
    const StillClock clock;
    const GenerationContext context{project.model, prefs, locale, clock};
    const std::string templateText(reinterpret_cast<const char*>(data), size);
    try {
        const std::string output = ExpandTemplate(templateText, "template.htm", "out.htm", context);
        if (output.size() > (size + 1) * project.size)
            __builtin_trap();
    } catch (const DocumentTooLarge&) {
        // The one failure a template may cause: refusing an oversized document.
    }
    return 0;
}
