#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include "cli/project_json.h"
#include "reader/read_project.h"
#include "shell/media_check.h"
#include "support/corpus.h"

namespace sondrel {
namespace {

// A value at a path such as "tracks/1/fx/0/name"; the step "#" is the length of an array.
QJsonValue At(const QJsonObject& root, const char* path)
{
    QJsonValue value = root;
    for (const QString& step : QString(path).split('/'))
        value = step == "#" ? QJsonValue(value.toArray().size())
                : value.isArray() ? value.toArray().at(step.toInt())
                                  : value.toObject().value(step);
    return value;
}

// Compared as JSON text, so that 120 and 120.0 are the same and a failure shows readable values. A missing field
// must not pass for null.
std::string Shown(const QJsonValue& value)
{
    if (value.isUndefined())
        return "(missing)";
    return QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact).toStdString();
}

struct Fact {
    const char* path;
    QJsonValue expected;
};

void ExpectFacts(const QJsonObject& root, const std::vector<Fact>& facts)
{
    for (const Fact& fact : facts)
        EXPECT_EQ(Shown(At(root, fact.path)), Shown(fact.expected)) << fact.path;
}

QJsonObject Parsed(const std::string& text)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(text), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    return document.object();
}

// As the converter makes it: read, then the media looked for.
std::string JsonOfModel(ProjectModel& model)
{
    MarkMissingMedia(model);
    return ProjectJson(model);
}

std::string CorpusJson(const std::string& name)
{
    ProjectModel model;
    ReadProject(model, std::string(SONDREL_CORPUS_DIR) + "/" + name);
    return JsonOfModel(model);
}

// Windows colour order; a receive from a track the file never defines (8);
// codes with names and one without (render bounds 9, tempo shape 7); an
// unfinished region; input FX after a chain that is switched off.
constexpr const char* kBuilt = R"rpp(<REAPER_PROJECT 0.1 "7.14/win64" 0
  RECORD_PATH "Audio" ""
  RENDER_RANGE 9 1.5 4 18 1000
  SAMPLERATE 48000 0 0
  TEMPO 90 6 8
  <TEMPOENVEX
    PT 0 90 1
    PT 8 120 0 524295
    PT 16 100 7
  >
  MARKER 1 2.5 Verse 0 16777471 1 R
  MARKER 2 4 Chorus 1 0 1 R
  MARKER 2 12 "" 1 0 1 R
  MARKER 3 14 Coda 1 0 1 R
  <MASTERFXLIST
    BYPASS 1 0 0
    <JS utility/volume "Trim"
    >
    WET 0.25
  >
  <TRACK
    NAME "Bus €"
    ISBUS 1 1
    AUXRECV 1 3 0.5 -0.5 1 0 0 1024 2 -1:U 65 -1 ''
    AUXRECV 7 0 1 0 0 0 0 0 0 -1:U 0 -1 ''
  >
  <TRACK
    NAME Gtr
    PEAKCOL 16777471
    ISBUS 2 -1
    REC 1 4096
    FX 0
    HWOUT 0 1 1 0 0
    <VOLENV2
    >
    <FXCHAIN
      BYPASS 0 1 0
      <VST "VST: ReaEQ (Cockos)" reaeq.dll 0 "My EQ" 1919247729 ""
      >
      <CONTAINER Container "Box" ""
        <JS loser/3BandEQ ""
        >
      >
    >
    <FXCHAIN_REC
      BYPASS 0 0 0
      <VST "VST: ReaComp (Cockos)" reacomp.dll 0 "" 1919247213 ""
      >
    >
    <ITEM
      POSITION 30
      LENGTH 2.5
      NAME take1
      <SOURCE WAVE
        FILE "nowhere/gtr.wav"
      >
      TAKE NULL
      <TAKEFX
        <AU "AU: AUDelay (Apple)" "Apple: AUDelay" "" 0 ""
        >
      >
    >
  >
>
)rpp";

std::string BuiltJson()
{
    ProjectModel model;
    ReadProjectText(model, kBuilt, "/nonexistent-sondrel/song.rpp");
    return JsonOfModel(model);
}

TEST(ProjectJson, NamesCodesAndMarksWhatIsAbsent)
{
    const QJsonObject root = Parsed(BuiltJson());
    ExpectFacts(root, {{"project/savedAt", QJsonValue()}, {"project/length", 32.5}, {"project/render/bounds", 9},
                       {"project/timeSignature", QJsonObject{{"numerator", 6}, {"denominator", 8}}},
                       {"tempoMap/0/shape", "square"}, {"tempoMap/0/timeSignature", QJsonValue()},
                       {"tempoMap/1/shape", "linear"}, {"tempoMap/2/shape", 7},
                       {"tempoMap/1/timeSignature", QJsonObject{{"numerator", 7}, {"denominator", 8}}},
                       {"markers/0/color", "#ff0000"}, {"regions/0/end", 12}, {"regions/1/end", QJsonValue()},
                       {"master/fx/0/bypassed", true}, {"master/fx/0/wet", 0.25},
                       {"tracks/#", 2}, {"tracks/0/name", "Bus \u20ac"}, {"tracks/0/opensFolder", true},
                       {"tracks/0/routing/0", QJsonObject{{"kind", "receive"}, {"otherTrack", 2}, {"volume", 0.5},
                                                          {"pan", -0.5}, {"mute", true}, {"mode", "preFader"},
                                                          {"sourceChannels", 1024}, {"sourceChannelsText", "1"},
                                                          {"destinationChannels", 2}, {"destinationChannelsText", "3/4"},
                                                          {"midiFlags", 65}, {"midiText", "Ch 1 \u2192 Ch 2"}}},
                       {"tracks/0/routing/1/otherTrack", 8}, {"tracks/1/routing/#", 1},
                       {"tracks/1/routing/0/kind", "send"}, {"tracks/1/routing/0/otherTrack", 1},
                       {"tracks/1/inFolder", true}, {"tracks/1/color", "#ff0000"},
                       {"tracks/1/recordInputText", "MIDI all"}, {"tracks/1/envelopes", QJsonArray{"Volume"}},
                       {"tracks/1/hardwareOutputs/0/mode", "preFx"}, {"tracks/1/fx/#", 3},
                       {"tracks/1/fx/1/container", "Box"}, {"tracks/1/fx/2/name", "VST: ReaComp (Cockos)"},
                       {"tracks/1/fx/1/input", false}, {"tracks/1/fx/2/input", true},
                       {"tracks/1/items/0/takes/1", QJsonObject{{"name", ""}, {"sourceType", ""}, {"file", ""}}},
                       {"tracks/1/items/0/mediaMissing", true},
                       {"tracks/1/items/0/takeFx/0/plugin",
                        QJsonObject{{"format", "AU"}, {"name", "AUDelay"}, {"vendor", "Apple"}}}});
}

// Facts read off the .rpp files themselves (volumes are the floats the
// model keeps, at their shortest: 0.84562030440553 reads as 0.84562033).
struct CorpusCase {
    const char* file;
    std::vector<const char*> trackNames;
    std::vector<Fact> facts;
    friend void PrintTo(const CorpusCase& c, std::ostream* out) { *out << c.file; }
};

const CorpusCase kCorpus[] = {
    {"ButbkaDrug__REAPER__BaseProject.rpp",
     {"Click Track", "Media"},
     {{"project/reaperVersion", "7.19/linux-x86_64"}, {"project/savedAt", 1727115187}, {"project/tempo", 120},
      {"project/length", 25239.591500000028}, {"project/render/bounds", "timeSelection"},
      {"markers/#", 10}, {"markers/7/position", 6143.4999999999973},
      {"master/fx/0/pluginFile", "realimit.vst.so"}, {"master/fx/0/plugin/name", "ReaLimit"},
      {"tracks/0/volume", 0.84562033}, {"tracks/0/color", QJsonValue()}, {"tracks/0/channels", 10},
      {"tracks/0/hardwareOutputs/0/channelsText", "9"}, {"tracks/0/items/#", 4},
      {"tracks/0/items/1/position", 1024}, {"tracks/0/items/1/takes/0/sourceType", "RPP_PROJECT"},
      {"tracks/0/items/3/mediaMissing", true}, {"tracks/0/routing/#", 2},
      {"tracks/0/routing/1/kind", "send"}, {"tracks/0/routing/1/otherTrack", 2}, {"tracks/1/items/#", 3},
      {"tracks/1/items/2/takes/0/file",
       "/home/butbkadrug/Downloads/PEACE - Soaking worship instrumental Prayer and Devotional.mp3"},
      {"tracks/1/routing/0/kind", "receive"}, {"tracks/1/routing/0/otherTrack", 1}}},
    {"CharlesHolbrow__rppp__vst3-track-and-take-fx.rpp",
     {"kick"},
     {{"project/reaperVersion", "6.13/OSX64"}, {"project/render/bounds", "entireProject"}, {"master/fx/#", 0},
      {"tracks/0/fx/#", 1}, {"tracks/0/fx/0/name", "VST3: #TCompressor (Tracktion)"},
      {"tracks/0/fx/0/pluginFile", "#TCompressor.vst3"}, {"tracks/0/fx/0/preset", "Factory Presets: Factory Default"},
      {"tracks/0/items/0/length", 0.10179138321995}, {"tracks/0/items/0/takes/0/file", "media/909-kick.wav"},
      {"tracks/0/items/0/mediaMissing", true}, {"tracks/0/items/0/takeFx/#", 1},
      {"tracks/0/items/0/takeFx/0/plugin",
       QJsonObject{{"format", "VST3"}, {"name", "#TEqualiser"}, {"vendor", "Tracktion"}}}}},
    {"vruizdiaz10__Abyss-s-Embrace__reaper2.rpp",
     {"MixBus", "MusicBus", "VoicesBus", "TalkingBus", "Cuerdas", "Guitarras", "Bajo - stem", "Batería - stem",
      "Violines 1 - stem", "Violines 2 - stem", "Violas - stem", "Cello - stem", "Contrabajo - stem",
      "Guitarra Lead - stem", "Guitarra Ritmica - stem", "Voz", "Voz Hablada L", "Voz Hablada R", "Coro",
      "Violines 1", "Violines 2", "Violas", "Cello", "Contrabajo", "Guitarra Lead", "Guitarra Ritmica", "Bajo",
      "Batería", "Composer"},
     {{"project/reaperVersion", "6.82/win64"}, {"project/tempo", 130}, {"project/render/sampleRate", 48000},
      {"markers/#", 109}, {"markers/108/position", 199.84615384615384}, {"regions/#", 11},
      {"regions/0", QJsonObject{{"id", 5}, {"start", 0.46153846153846}, {"end", 15.23076923076923},
                                {"name", "Intro"}, {"color", "#ff8000"}, {"colorCode", 16810239}}},
      {"tempoMap/#", 0}, {"master/fx/0/name", "VST3: Ozone 11 (iZotope)"},
      {"tracks/0/routing/#", 2}, {"tracks/0/routing/1/otherTrack", 3}, {"tracks/1/mainSend", false},
      {"tracks/7/routing/#", 1}, {"tracks/7/routing/0/kind", "send"}, {"tracks/7/routing/0/otherTrack", 2},
      {"tracks/7/routing/0/volume", 3.9810717},
      {"tracks/7/items/0/takes/0/file", "reaper2_stems_Batería-001.wav"}}},
};

class ProjectJsonCorpus : public ::testing::TestWithParam<CorpusCase> {};

TEST_P(ProjectJsonCorpus, HoldsTheFileFacts)
{
    SONDREL_REQUIRE_CORPUS();
    const CorpusCase& project = GetParam();
    const QJsonObject root = Parsed(CorpusJson(project.file));
    std::vector<std::string> names;
    for (const QJsonValue& track : root["tracks"].toArray())
        names.push_back(track["name"].toString().toStdString());
    EXPECT_EQ(names, std::vector<std::string>(project.trackNames.begin(), project.trackNames.end()));
    ExpectFacts(root, project.facts);
}

INSTANTIATE_TEST_SUITE_P(Projects, ProjectJsonCorpus, ::testing::ValuesIn(kCorpus));

std::string WriteOut(const std::string& name, const std::string& text)
{
    std::filesystem::create_directories(SONDREL_JSON_OUT_DIR);
    const std::string path = std::string(SONDREL_JSON_OUT_DIR) + "/" + name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

struct Checked {
    int status;
    std::string output;
};

Checked CheckSchema(const std::vector<std::string>& files)
{
    QStringList arguments{SONDREL_SOURCE_DIR "/tests/cli/check_json_schema.py",
                          SONDREL_SOURCE_DIR "/docs/project-json.schema.json"};
    for (const std::string& file : files)
        arguments << QString::fromStdString(file);
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(SONDREL_PYTHON, arguments);
    if (!process.waitForFinished(60000))
        return {-1, "cannot run python3 (\"" SONDREL_PYTHON "\"): " + process.errorString().toStdString()};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, process.readAll().toStdString()};
}

TEST(ProjectJsonSchema, AcceptsTheCorpusProjects)
{
    SONDREL_REQUIRE_CORPUS();
    std::vector<std::string> files;
    for (const CorpusCase& project : kCorpus)
        files.push_back(WriteOut(std::string(project.file) + ".json", CorpusJson(project.file)));
    const Checked checked = CheckSchema(files);
    EXPECT_EQ(checked.status, 0) << checked.output;
}

// Each break is made in the text of a document the schema accepts, so that
// it alone is to blame.
TEST(ProjectJsonSchema, AcceptsEveryRecordKindAndRejectsBrokenDocuments)
{
    const QString built = QString::fromStdString(BuiltJson());
    const Checked whole = CheckSchema({WriteOut("built.json", built.toStdString())});
    ASSERT_EQ(whole.status, 0) << whole.output;

    const struct {
        const char* from;
        const char* to;
        const char* error;
    } breaks[] = {
        {"\"schemaVersion\": 1,", "", "/: 'schemaVersion' is a required property"},
        {"\"kind\": \"send\"", "\"kind\": \"sideways\"", "/tracks/1/routing/0/kind: "},
        {"\"sourceType\": \"WAVE\"", "\"sourceType\": \"WAVE\", \"gain\": 2",
         "/tracks/1/items/0/takes/0: Additional properties"},
        {"\"shape\": 7", "\"shape\": \"wobbly\"", "/tempoMap/2/shape: "},
        {"\"color\": \"#ff0000\"", "\"color\": \"red\"", "/markers/0/color: "},
    };
    int n = 0;
    for (const auto& broken : breaks) {
        QString text = built;
        ASSERT_TRUE(text.contains(broken.from)) << broken.from;
        text.replace(broken.from, broken.to);
        const Checked checked = CheckSchema({WriteOut("broken-" + std::to_string(++n) + ".json", text.toStdString())});
        EXPECT_EQ(checked.status, 1) << broken.from;
        EXPECT_NE(checked.output.find(broken.error), std::string::npos) << checked.output;
    }
}

}  // namespace
}  // namespace sondrel
