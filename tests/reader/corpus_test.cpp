// Real projects written by REAPER 4.32 to 7.52 on Windows, macOS and Linux.
// Every fact checked here was read from the file itself.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "reader_test_support.h"

namespace sondrel {
namespace {

using namespace testing;

ProjectModel ReadCorpusFile(const std::string& name)
{
    ProjectModel model;
    ReadProject(model, std::string(SONDREL_CORPUS_DIR) + "/" + name);
    return model;
}

struct FileShape {
    const char* name;
    int tracks;
    int items;     // on the tracks themselves, not in frozen or stored material
    int receives;  // AUXRECV lines of the tracks
};

// Counted from the files independently of this reader.
const std::vector<FileShape>& CorpusShapes()
{
    static const std::vector<FileShape> shapes = {
        {"ButbkaDrug__REAPER__BaseProject.rpp", 2, 7, 2},
        {"ButbkaDrug__REAPER__Gloria.rpp", 13, 86, 0},
        {"ButbkaDrug__REAPER__Trust_In_You.rpp", 16, 87, 0},
        {"C3Sound__Test-project__TestProject.rpp", 0, 0, 0},
        {"CharlesHolbrow__rppp__audio-file-with-take-fx.rpp", 1, 1, 0},
        {"CharlesHolbrow__rppp__empty-item-x3-with-text.rpp", 1, 3, 0},
        {"CharlesHolbrow__rppp__send-receive.rpp", 2, 0, 1},
        {"CharlesHolbrow__rppp__tricky-strings.rpp", 17, 3, 0},
        {"CharlesHolbrow__rppp__vst-line-endings.rpp", 1, 0, 0},
        {"CharlesHolbrow__rppp__vst3-track-and-take-fx.rpp", 1, 1, 0},
        {"CharlesHolbrow__sound-cycles__indie-jam.rpp", 5, 1015, 0},
        {"CharlesHolbrow__sound-cycles__ML30cuts.rpp", 6, 209, 0},
        {"CharlesHolbrow__sound-cycles__SoundCyclesTests.rpp", 1, 2, 0},
        {"diegolopezronda__scoring-workflow__template.rpp", 6, 0, 0},
        {"exvertus__reaper-projects__bwv879.rpp", 1, 0, 0},
        {"exvertus__reaper-projects__lighterfluid.rpp", 4, 9, 0},
        {"exvertus__reaper-projects__test_track.rpp", 4, 101, 2},
        {"FelipeClaro654__audiotest__Paranoid.rpp", 5, 4, 0},
        {"foglabs__one-button-device__monitor.rpp", 1, 0, 0},
        {"GargoylePacifier__GravitySurfs__05sddrummer3.rpp", 43, 306, 16},
        {"ggVGc__metaseq__song.rpp", 2, 2, 0},
        {"green-aus__SIO-Acoustics-Bootcamp-2025__Template.rpp", 4, 0, 0},
        {"GriffinSauce__reaper-project-parser__empty.rpp", 0, 0, 0},
        {"GriffinSauce__reaper-project-parser__with-external-files.rpp", 19, 88, 2},
        {"gwatcha__reaper-keys__marks.rpp", 2, 0, 0},
        {"helgoboss__helgobox__clip-engine-basic.rpp", 10, 1, 0},
        {"helgoboss__helgobox__ec4-advanced-test.rpp", 1, 0, 0},
        {"helgoboss__helgobox__issue-219-play-preview.rpp", 2, 6, 0},
        {"helgoboss__helgobox__issue-448-daw-control.rpp", 107, 1, 0},
        {"helgoboss__helgobox__issue-45-grouping-vca-test.rpp", 5, 1, 0},
        {"helgoboss__helgobox__issue-549-multiplying-selectors.rpp", 9, 0, 4},
        {"helgoboss__helgobox__issue-553-preset-slowdown.rpp", 1001, 0, 0},
        {"helgoboss__helgobox__issue-648-track-parent-send.rpp", 2, 0, 0},
        {"helgoboss__helgobox__issue-846-clap-support.rpp", 3, 0, 0},
        {"hemisphera__Hsp.Reaper.ApiClient__testproject.rpp", 4, 0, 0},
        {"HuwCheston__AV-Manip__main.rpp", 11, 2, 8},
        {"JamesDunne__rpp-parser__R1391.rpp", 27, 77, 15},
        {"kmjbyrne__glutones__toast-band-session.rpp", 4, 0, 2},
        {"kubawolanin__reaper-parser__piano-guitar-ambient.rpp", 4, 27, 0},
        {"kubawolanin__reaper-parser__test-file.rpp", 2, 2, 0},
        {"LazyBone2017__tears_dont_fall__project.rpp", 14, 90, 0},
        {"lifofernandez__audio-env__template.rpp", 16, 12, 0},
        {"lnqs__intrusion__music.rpp", 17, 40, 16},
        {"noisefarm__201205_1424__test.rpp", 2, 4, 0},
        {"Oeyvind__wave_video__stats11_midi_multi.rpp", 19, 0, 57},
        {"Oeyvind__wave_video__stats8_plus.rpp", 9, 0, 5},
        {"Oeyvind__wave_video__water1.rpp", 1, 0, 0},
        {"Perlence__rpp__empty.rpp", 2, 0, 2},
        {"Perlence__rpp__vst.rpp", 10, 3, 2},
        {"petebachant__2021-bike-tour__intro.rpp", 11, 57, 0},
        {"shadowflower64__yarg-reaper-template__YARG.rpp", 24, 23, 0},
        {"shreyasgune__reaper_projects__jettisoned_stepstones.rpp", 38, 5, 38},
        {"shreyasgune__reaper_projects__soothesayer.rpp", 16, 53, 0},
        {"shreyasgune__reaper_projects__wincing.rpp", 8, 18, 0},
        {"TenthPres__techConfigs__Livestream_Only_Mixing.rpp", 11, 0, 0},
        {"TenthPres__techConfigs__Sermon_Recording_Sanctuary.rpp", 3, 0, 0},
        {"transientlab__12spk-measure__audio.rpp", 4, 3, 6},
        {"Ultraschall__ultraschall-portable__Linux_StudioLink_and_Soundboard.rpp", 3, 0, 2},
        {"Ultraschall__ultraschall-portable__mac_StudioLink.rpp", 2, 0, 1},
        {"Ultraschall__ultraschall-portable__tempproject.rpp", 1, 0, 0},
        {"Ultraschall__ultraschall-portable__Win_Ultraschall_Soundboard.rpp", 3, 0, 0},
        {"vovas-music__son__son.rpp", 3, 5, 0},
        {"vruizdiaz10__Abyss-s-Embrace__reaper2.rpp", 29, 150, 29},
        {"xinruviolas__fiction1__sounds.rpp", 2, 3, 0},
        {"ZoeB__midi-tools__test.rpp", 1, 1, 0},
    };
    return shapes;
}

TEST(Corpus, EveryFileReadsWithItsTracksItemsAndReceives)
{
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(SONDREL_CORPUS_DIR))
        files += entry.path().extension() == ".rpp";
    EXPECT_EQ(files, static_cast<int>(CorpusShapes().size())) << "a corpus file is not in the table";

    for (const FileShape& shape : CorpusShapes()) {
        SCOPED_TRACE(shape.name);
        ProjectModel model;
        ASSERT_NO_THROW(model = ReadCorpusFile(shape.name));
        EXPECT_EQ(model.Info.VersionText, "0.1");
        EXPECT_EQ(model.Info.TrackCount, shape.tracks);
        int items = 0;
        int receives = 0;
        int sends = 0;
        for (int t = 1; t <= model.Info.TrackCount; ++t) {
            items += model.Track(t).ItemCount();
            for (const ReceiveRecord& entry : model.Track(t).ReceiveTable)
                (entry.Kind == "R" ? receives : sends) += 1;
        }
        EXPECT_EQ(items, shape.items);
        EXPECT_EQ(receives, shape.receives);
        EXPECT_EQ(sends, shape.receives) << "every receive has its send";
    }
}

Lines TrackNames(const ProjectModel& model, int first, int last)
{
    Lines names;
    for (int t = first; t <= last; ++t)
        names.push_back(model.Track(t).Name);
    return names;
}

// G for a folder track, i for a track in a folder, - for any other, track by track.
std::string Folders(const ProjectModel& model)
{
    std::string folders;
    for (int t = 1; t <= model.Info.TrackCount; ++t)
        folders += model.Track(t).IsGroup ? 'G' : model.Track(t).InGroup ? 'i' : '-';
    return folders;
}

TEST(Corpus, QuotingTortureTest)
{
    const ProjectModel model = ReadCorpusFile("CharlesHolbrow__rppp__tricky-strings.rpp");
    ASSERT_EQ(model.Info.TrackCount, 17);
    EXPECT_EQ(TrackNames(model, 1, 17),
              (Lines{"", "\"", "\"\"", "\"\"\"", "'", "''", "'''", "`", "``", "```", "'''```\"\"\"", "NAME", "hel\"lo",
                     "hello\"", "<HELLO world >", "<>", "<"}));
    ASSERT_EQ(model.Track(1).ItemCount(), 3);
    EXPECT_EQ(model.Track(1).ItemTable[1].Position, 2.5f);
    EXPECT_EQ(model.Track(1).ItemTable[2].Name, "") << "an empty item's notes are not its name";
}

TEST(Corpus, TypedQuotingCasesRoutingAndFolders)
{
    const ProjectModel model = ReadCorpusFile("Perlence__rpp__vst.rpp");
    EXPECT_EQ(TrackNames(model, 1, 10),
              (Lines{"5.50", "Synth", "|Beep Boop", "Boop",
                     "0123456789 abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ!\"#$%&'()*+,-./:;<=>?@[\\]^_'{|}~",
                     "\"hey", "hey\"", "<", ">", "<>"}));
    EXPECT_EQ(model.Track(3).ItemTable.at(0).Name, "Click source");
    EXPECT_EQ(Folders(model), "--Gi------");
    // "AUXRECV 4 ..." on track 2 and "AUXRECV 0 ..." on track 5.
    const TrackRecord& two = model.Track(2);
    const TrackRecord& five = model.Track(5);
    ASSERT_EQ(two.ReceiveCount(), 1);
    ASSERT_EQ(five.ReceiveCount(), 2);
    EXPECT_EQ(two.ReceiveTable[0].Kind + two.ReceiveTable[0].TrackNumText, "R5");
    EXPECT_EQ(five.ReceiveTable[0].Kind + five.ReceiveTable[0].TrackNumText, "S2");
    EXPECT_EQ(five.ReceiveTable[1].Kind + five.ReceiveTable[1].TrackNumText, "R1");
}

TEST(Corpus, CyrillicNamesBareAndQuoted)
{
    const ProjectModel model = ReadCorpusFile("vovas-music__son__son.rpp");
    EXPECT_EQ(TrackNames(model, 1, 2), (Lines{"\xd0\xa1\xd0\xbe\xd0\xbd", "\xd0\xa1\xd0\xbe\xd0\xbd (1)"}));
    EXPECT_TRUE(model.Track(1).Mute);
    EXPECT_EQ(model.Track(1).ItemTable.at(0).Name, "\xd0\xa1\xd0\xbe\xd0\xbd.mp3");
    EXPECT_EQ(model.Info.Tempo, 133.0f);
}

TEST(Corpus, MultiTakeRecordingNamesItsActiveTakes)
{
    const ProjectModel model = ReadCorpusFile("noisefarm__201205_1424__test.rpp");
    const TrackRecord& track = model.Track(1);
    ASSERT_EQ(track.ItemCount(), 4);
    for (const ItemRecord& item : track.ItemTable) {
        EXPECT_EQ(item.Name, "01-201205_2144.wav");
        EXPECT_EQ(item.Volume, 1.0f) << "item VOLPAN, not a take's TAKEVOLPAN";
    }
    EXPECT_FLOAT_EQ(track.Volume, 1.05316005474485f) << "the items' lines leave the track alone";
    EXPECT_EQ(Fx(model.Track(2)), Lines{"JS|guitar/amp-model|"});
}

TEST(Corpus, ThousandAndOneTracks)
{
    const ProjectModel model = ReadCorpusFile("helgoboss__helgobox__issue-553-preset-slowdown.rpp");
    EXPECT_EQ(model.Info.TrackCount, 1001);
    EXPECT_EQ(model.Track(1).Name, "ReaLearn");
    EXPECT_EQ(Fx(model.Track(1)), Lines{"VST|VSTi: ReaLearn (Helgoboss)|ReaLearn-arm64.vst.dylib"});
    EXPECT_EQ(model.Track(1001).Name, "");
}

TEST(Corpus, SnapshotsOfTracksAreNotTracks)
{
    const ProjectModel model = ReadCorpusFile("Ultraschall__ultraschall-portable__Win_Ultraschall_Soundboard.rpp");
    EXPECT_EQ(TrackNames(model, 1, model.Info.TrackCount), (Lines{"Speaker 1", "Speaker 2", "Soundboard"}));
    EXPECT_EQ(model.Track(1).FxCount(), 5);
    for (const FxRecord& fx : model.Track(1).FxTable)
        EXPECT_TRUE(fx.Bypassed) << fx.Name;
    EXPECT_EQ(Fx(model.Track(3)), (Lines{"VST|VST3i: Soundboard (Ultraschall) (mono)|Soundboard.vst3",
                                         "VST|VST: ReaComp (Cockos)|reacomp.dll",
                                         "JS|dynamics/Ultraschall_Dynamics||bypassed"}));
}

TEST(Corpus, FrozenTracksShowNoneOfTheirStoredChains)
{
    const ProjectModel model = ReadCorpusFile("ButbkaDrug__REAPER__Gloria.rpp");
    EXPECT_EQ(model.Info.Notes, "|IIV1ItV2CItV3CBBOE");
    EXPECT_EQ(model.Info.Tempo, 93.0f);
    EXPECT_EQ(model.Track(5).Name, "Piano");
    EXPECT_EQ(model.Track(5).FxCount(), 0);
    EXPECT_EQ(model.Track(5).ItemCount(), 2);
    EXPECT_EQ(model.Track(7).Name, "Synth Bass");
    EXPECT_EQ(model.Track(7).FxCount(), 0);
    EXPECT_EQ(model.Track(8).Name, "Synth ");
    EXPECT_EQ(Fx(model.Track(8)), Lines{"VST|VST3i: Vital (Vital Audio)|Vital.vst3"});
    EXPECT_EQ(model.Track(2).ItemCount(), 49);
    EXPECT_EQ(Folders(model), "---------Gii-");
}

TEST(Corpus, ClapPluginAndEmptyNotes)
{
    const ProjectModel model = ReadCorpusFile("helgoboss__helgobox__issue-846-clap-support.rpp");
    EXPECT_EQ(Fx(model.Track(3)), Lines{"CLAP|CLAPi: Surge XT (Surge Synth Team)|org.surge-synth-team.surge-xt"});
    EXPECT_EQ(model.Track(2).FxTable.at(0).Name, "loser/3BandEQ");
    EXPECT_EQ(model.Info.Notes, "");
}

TEST(Corpus, NotesAndFolders)
{
    const ProjectModel model = ReadCorpusFile("ButbkaDrug__REAPER__Trust_In_You.rpp");
    EXPECT_EQ(model.Info.Notes, "|Electric Guitar Selector in Bottom position");
    EXPECT_EQ(model.Track(1).Name, "Click&Guide");
    // ISBUS 1 on tracks 1, 6, 11 and ISBUS 2 on tracks 3, 9, 16.
    EXPECT_EQ(Folders(model), "Gii--Giii-Giiiii");
}

TEST(Corpus, TruncatedFileReadsAsFarAsItGoes)
{
    const ProjectModel model = ReadCorpusFile("LazyBone2017__tears_dont_fall__project.rpp");
    EXPECT_EQ(model.Info.TrackCount, 14);
    ASSERT_GE(model.Track(14).ItemCount(), 1);
    EXPECT_EQ(model.Track(14).ItemTable.back().Name, "tears dont fall complete.mp3");
}

}  // namespace
}  // namespace sondrel
