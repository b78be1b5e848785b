// The real program over the real projects: a whole library at once, in each output format.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include "shell/temp_folder.h"
#include "support/corpus.h"

namespace sondrel {
namespace {

using testing::TempFolder;

struct Finished {
    int status;
    std::string err;
};

Finished Converter(const QStringList& arguments, const TempFolder& folder, const char* lang = "C")
{
    QProcessEnvironment environment;
    environment.insert("LANG", lang);
    environment.insert("HOME", QString::fromStdString(folder.Path("home")));
    environment.insert("XDG_CONFIG_HOME", QString::fromStdString(folder.Path("config")));
    environment.insert("XDG_RUNTIME_DIR", qEnvironmentVariable("XDG_RUNTIME_DIR"));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(QString::fromStdString(folder.Path("")));
    process.start(SONDREL_CONVERT_PROGRAM, arguments);
    process.closeWriteChannel();
    if (!process.waitForFinished(300000))
        return {-1, "did not finish"};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardError().toStdString()};
}

std::string Corpus(const char* name)
{
    return std::string(SONDREL_CORPUS_DIR "/") + name + ".rpp";
}

// Tracks and items of every corpus project, counted in the files.
std::map<std::string, std::pair<int, int>> CorpusCounts()
{
    std::map<std::string, std::pair<int, int>> counts;
    std::istringstream lines(TempFolder::Read(SONDREL_SOURCE_DIR "/tests/reader/data/corpus_counts.txt"));
    for (std::string key, tracks, items, receives; lines >> key >> tracks >> items >> receives;)
        counts[key] = {std::stoi(tracks), std::stoi(items)};
    return counts;
}

// Every corpus project as JSON by two workers: one file each, in project order, with the file's tracks and items.
TEST(LibraryConversion, WholeCorpusAsJsonHoldsEachFilesTracksAndItems)
{
    SONDREL_REQUIRE_CORPUS();
    const TempFolder folder;
    const Finished run = Converter({"--format", "json", "-j", "2", "--output-dir", "out", SONDREL_CORPUS_DIR}, folder);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    int checked = 0;
    for (const auto& [key, count] : CorpusCounts()) {
        for (const auto& entry : std::filesystem::directory_iterator(folder.Path("out"))) {
            const std::string name = entry.path().filename().string();
            if (!name.ends_with("__" + key + ".json"))
                continue;
            const QJsonObject model = QJsonDocument::fromJson(QByteArray::fromStdString(
                                                                  TempFolder::Read(entry.path().string())))
                                          .object();
            int items = 0;
            for (const QJsonValue track : model["tracks"].toArray())
                items += static_cast<int>(track["items"].toArray().size());
            EXPECT_EQ(model["tracks"].toArray().size(), count.first) << name;
            EXPECT_EQ(items, count.second) << name;
            ++checked;
        }
    }
    EXPECT_EQ(checked, 65);
    // The index lists R1391 with the facts counted in its file: 27 tracks, 77 items, 56 plug-ins, all 77 files missing.
    EXPECT_TRUE(std::regex_search(TempFolder::Read(folder.Path("out/index.htm")),
                                  std::regex(R"(<a href="JamesDunne__rpp-parser__R1391\.json">[^]*?)"
                                             R"(<td class="r">27</td><td class="r">77</td><td class="r">56</td>)"
                                             R"(<td class="r missing" data-n="77">)")));
}

// A failed project does not stop the others, and the messages and the index keep the projects' order whichever
// worker finished first.
TEST(LibraryConversion, FailuresAreReportedInProjectOrderWithAnyNumberOfWorkers)
{
    const TempFolder folder;
    std::filesystem::create_directories(folder.Path("lib"));
    const std::string good = "<REAPER_PROJECT 0.1 \"7.0\" 0\n  <TRACK\n    NAME \"T\"\n  >\n>\n";
    for (const char* name : {"a", "c", "e", "g"})
        folder.Write(std::string("lib/") + name + ".rpp", good);
    for (const char* name : {"b", "d", "f"})
        folder.Write(std::string("lib/") + name + ".rpp", "not a project\n");
    std::string first;
    for (const char* workers : {"1", "3"}) {
        const Finished run = Converter({"-f", "-j", workers, "--output-dir", "out", "lib"}, folder);
        EXPECT_EQ(run.status, 1);
        EXPECT_TRUE(std::regex_match(run.err, std::regex("(sondrel-convert: lib/[bdf]\\.rpp: .*\n){3}"
                                                         "sondrel-convert: 4 of 7 projects written, 3 failed, 0 not replaced\n")))
            << run.err;
        EXPECT_EQ(run.err, first.empty() ? run.err : first);
        first = run.err;
        const std::string index = TempFolder::Read(folder.Path("out/index.htm"));
        EXPECT_TRUE(std::regex_search(index, std::regex("a\\.htm[^]*c\\.htm[^]*e\\.htm[^]*g\\.htm[^]*b\\.rpp[^]*d\\.rpp[^]*f\\.rpp")));
    }
}

// PDF through the browser engine, with no display: the project's track names are in the text, on the locale's paper
// unless one is asked for; in a library, from several workers at once.
TEST(LibraryConversion, PdfHoldsTheTrackNamesOnTheChosenPaper)
{
    SONDREL_REQUIRE_CORPUS();
#ifndef SONDREL_WITH_PDF
    GTEST_SKIP() << "this build has no browser engine to print with";
#endif
    if (QProcess::execute("pdftotext", {"-v"}) != 0)
        GTEST_SKIP() << "pdftotext is not installed";
    const TempFolder folder;
    const auto text = [&](const std::string& pdf) {
        QProcess::execute("pdftotext", {QString::fromStdString(folder.Path(pdf)), QString::fromStdString(folder.Path("text"))});
        return TempFolder::Read(folder.Path("text"));
    };
    const auto paper = [&](const std::string& pdf) {
        QProcess info;
        info.start("pdfinfo", {QString::fromStdString(folder.Path(pdf))});
        info.waitForFinished();
        const std::string shown = info.readAllStandardOutput().toStdString();
        return std::regex_search(shown, std::regex("Page size: +612 x 792")) ? "Letter" : "A4";
    };
    EXPECT_EQ(Converter({"--format", "pdf", QString::fromStdString(Corpus("ButbkaDrug__REAPER__Gloria")), "gloria.pdf"},
                        folder, "en_US.UTF-8").status, 0);
    EXPECT_EQ(paper("gloria.pdf"), std::string("Letter"));
    for (const char* track : {"Click", "Violin", "Synth Bass", "AG Bus", "AG L", "Drums"})
        EXPECT_NE(text("gloria.pdf").find(track), std::string::npos) << track;

    const Finished run = Converter({"--format=pdf", "--page-size", "a4", "-j", "2", "--output-dir", "out",
                               QString::fromStdString(Corpus("ButbkaDrug__REAPER__Gloria")),
                               QString::fromStdString(Corpus("ButbkaDrug__REAPER__Trust_In_You"))}, folder, "en_US.UTF-8");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(paper("out/ButbkaDrug__REAPER__Trust_In_You.pdf"), std::string("A4"));
    for (const char* track : {"Click&Guide", "EG Control Track", "Strings - stem", "Original Tracks"})
        EXPECT_NE(text("out/ButbkaDrug__REAPER__Trust_In_You.pdf").find(track), std::string::npos) << track;
    EXPECT_NE(text("out/ButbkaDrug__REAPER__Gloria.pdf").find("Synth Bass"), std::string::npos);
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path("out")))
        EXPECT_FALSE(entry.path().filename().string().starts_with(".")) << "left behind: " << entry.path();
}

}  // namespace
}  // namespace sondrel
