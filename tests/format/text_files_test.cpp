#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

#include "format/file_kind.h"
#include "format/native_files.h"
#include "format/text_ops.h"
#include "model/project_model.h"
#include "reader/read_project.h"
#include "shell/temp_folder.h"
#include "support/fakes.h"

namespace fs = std::filesystem;

namespace sondrel {
namespace {

using Names = std::set<std::string>;
constexpr auto Read = &testing::TempFolder::Read;
using testing::FailureOf;
using testing::NativeOf;
using testing::Utf8Of;

#ifdef _WIN32
constexpr bool kWindows = true;
constexpr const char* kNullDevice = "NUL";
unsigned long ThisProcess() { return static_cast<unsigned long>(_getpid()); }
#else
constexpr bool kWindows = false;
constexpr const char* kNullDevice = "/dev/null";
unsigned long ThisProcess() { return static_cast<unsigned long>(getpid()); }
#endif

class TextFiles : public ::testing::Test {
protected:
    Names Entries() const { return folder.Names(); }
    const testing::TempFolder folder;
};

TEST_F(TextFiles, FailuresNameTheFileAndTheReason)
{
    fs::resize_file(NativeOf(folder.Write("huge.htm", "")), (std::uintmax_t{1} << 30) + 1);  // sparse where it can be
    fs::create_directory(NativeOf(folder.Path("folder.htm")));
    const std::pair<std::string, std::string> reads[] = {
        {folder.Path("missing.htm"), "the file does not exist"},
        {folder.Path("folder.htm"), "this is a folder, not a file"},
        {kNullDevice, "this is a device, not an ordinary file"},
        {folder.Path("huge.htm"), "the file is larger than 1 GiB, more than a template can be"}};
    for (const auto& failure : reads)
        EXPECT_EQ(FailureOf([&] { ReadTextFile(failure.first); }), failure.first + ": " + failure.second);
    const std::pair<std::string, std::string> writes[] = {
        {folder.Path("none/out.htm"), "cannot write the file (No such file or directory)"},
        {folder.Path("folder.htm"), "cannot write the file: this is a folder"}};
    for (const auto& failure : writes)
        EXPECT_EQ(FailureOf([&] { WriteTextFile("x", failure.first); }), failure.first + ": " + failure.second);
    // A device has no old content to keep: it is written into, never replaced.
    WriteTextFile("into the device", kNullDevice);
    EXPECT_FALSE(FileExists(kNullDevice));
    EXPECT_EQ(Entries(), (Names{"folder.htm", "huge.htm"}));
}

TEST_F(TextFiles, ReadingAndWritingKeepEveryByte)
{
    std::string every = "\xEF\xBB\xBFline1\r\nline2\nline3\r" + std::string(100000, 'x');  // more than one read
    for (int value = 0; value < 256; ++value)
        every += static_cast<char>(value);
    for (const std::string& content : {std::string(), every, std::string("new")}) {
        EXPECT_EQ(ReadTextFile(folder.Write("in.txt", content)), content);
        WriteTextFile(content, folder.Path("out.htm"));
        EXPECT_EQ(Read(folder.Path("out.htm")), content);
    }
    EXPECT_FALSE(FileExists(folder.Path("")));  // only ordinary files
    EXPECT_EQ(Entries(), (Names{"in.txt", "out.htm"}));
}

// Names are UTF-8 text whatever the system's code page: the file the system
// lists is the one named, and it is read, replaced and read as a project.
TEST_F(TextFiles, NamesInAnyScriptAreTheFilesTheSystemLists)
{
    const std::string names[] = {"Müller äö.rpp", "Демо.rpp", "Preis €.rpp", "日本語 ♫.rpp", "🎵 Tönë.rpp"};
    for (const std::string& name : names) {
        const std::string path = folder.Path(name);
        EXPECT_FALSE(FileExists(path)) << name;
        WriteTextFile("<REAPER_PROJECT 0.1 \"7.0\" 0\nTEMPO 97 4 4\n>\n", path);
        EXPECT_TRUE(FileExists(path)) << name;
        EXPECT_TRUE(SameFile(path, folder.Path("./" + name))) << name;
        ProjectModel model;
        ReadProject(model, path);
        EXPECT_EQ(model.Info.SourcePath + " " + std::to_string(model.Info.Tempo), path + " 97.000000");
        WriteTextFile(name, path);  // the replacing path
        EXPECT_EQ(ReadTextFile(path), name);
    }
    EXPECT_EQ(Entries(), Names(std::begin(names), std::end(names)));
}

// Windows stores names as UTF-16, so bytes that are not UTF-8 name no file
// there and are refused; elsewhere the bytes are the name.
TEST_F(TextFiles, BytesThatAreNotUtf8AreRefusedOnlyWhereNamesAreText)
{
    const char* const notUtf8[] = {
        "Caf\xE9 ",             // Latin-1
        "\xC3(",                // a lead byte without its continuation
        "\xC0\xAF",             // "/" written long
        "\xED\xA0\x80",         // half a UTF-16 pair
        "\xF4\x90\x80\x80",     // past U+10FFFF
        "\xF8\x88\x80\x80\x80",  // a five-byte form
        "\x80",                 // a continuation byte alone
    };
    for (const char* bytes : notUtf8) {
        const std::string path = folder.Path("") + bytes + ".rpp";
        const std::string refused = path + ": the file name is not valid UTF-8 text";
        if constexpr (kWindows) {
            EXPECT_EQ(FailureOf([&] { WriteTextFile("x", path); }), refused);
            EXPECT_EQ(FailureOf([&] { ReadTextFile(path); }), refused);
            ProjectModel model;
            EXPECT_EQ(FailureOf([&] { ReadProject(model, path); }), refused);
            EXPECT_FALSE(FileExists(path));
        } else {
            WriteTextFile(bytes, path);
            EXPECT_EQ(ReadTextFile(path), bytes);
            EXPECT_TRUE(FileExists(path));
        }
    }
    EXPECT_EQ(Entries().size(), kWindows ? 0u : std::size(notUtf8));
}

// Whether the system lets this user make a symbolic link here; the reason when not.
std::string SymbolicLinksRefused(const testing::TempFolder& folder)
{
    std::error_code error;
    fs::create_symlink("probe-target", NativeOf(folder.Path("probe-link")), error);
    fs::remove(NativeOf(folder.Path("probe-link")));
    return error ? "this system makes no symbolic links here (" + error.message() + ")" : "";
}

// A link stays a link: the file it names is replaced, keeping its permissions.
TEST_F(TextFiles, LinksStayLinks)
{
    if (const std::string refused = SymbolicLinksRefused(folder); !refused.empty())
        GTEST_SKIP() << refused;
    fs::create_directory(NativeOf(folder.Path("real")));
    const std::string target = folder.Write("real/target.htm", "old");
    fs::create_symlink("real/target.htm", NativeOf(folder.Path("relative-link.htm")));  // relative to the link's folder
    fs::create_symlink("made.htm", NativeOf(folder.Path("dangling.htm")));
    fs::create_symlink("b.htm", NativeOf(folder.Path("a.htm")));
    fs::create_symlink("a.htm", NativeOf(folder.Path("b.htm")));
    EXPECT_FALSE(FileExists(folder.Path("dangling.htm")));
    for (const char* link : {"relative-link.htm", "dangling.htm"})
        WriteTextFile(link, folder.Path(link));
    EXPECT_EQ(fs::read_symlink(NativeOf(folder.Path("relative-link.htm"))).generic_string() + " " +
                  fs::read_symlink(NativeOf(folder.Path("dangling.htm"))).generic_string(),
              "real/target.htm made.htm");  // still links
    EXPECT_EQ(Read(target) + " " + Read(folder.Path("made.htm")), "relative-link.htm dangling.htm");
    EXPECT_TRUE(FileExists(folder.Path("dangling.htm")));
    EXPECT_EQ(FailureOf([&] { WriteTextFile("x", folder.Path("a.htm")); }),
              folder.Path("a.htm") + ": cannot write the file (too many symbolic links)");
}

TEST_F(TextFiles, ReplacingKeepsPermissions)
{
    const std::string target = folder.Write("target.htm", "old");
    const fs::perms chosen = fs::perms::owner_all | fs::perms::others_read;
    fs::permissions(NativeOf(target), chosen);
    if (fs::status(NativeOf(target)).permissions() != chosen)
        GTEST_SKIP() << "this system keeps no permission bits: asked for 0704, it reports 0"
                     << std::oct << static_cast<unsigned>(fs::status(NativeOf(target)).permissions());
    WriteTextFile("new", target);
    EXPECT_EQ(Read(target), "new");
    EXPECT_EQ(fs::status(NativeOf(target)).permissions(), chosen);
}

// The temporary file is only ever a new one: a name that is taken, whoever
// took it, is never opened, let alone emptied.
TEST_F(TextFiles, TheTemporaryFileIsCreatedOnlyWhereNothingIs)
{
    const std::string taken = folder.Write(".sondrel-1-1.tmp", "someone else's");
    std::error_code error;
    EXPECT_EQ(native::CreateExclusive(NativeOf(taken), error), -1);
    EXPECT_EQ(error, std::errc::file_exists) << error.message();
    EXPECT_EQ(Read(taken), "someone else's");
    const int created = native::CreateExclusive(NativeOf(folder.Path("Демо.tmp")), error);
    ASSERT_GE(created, 0) << error.message();
    EXPECT_FALSE(native::WriteAll(created, "new") || native::Close(created));
    EXPECT_EQ(Read(folder.Path("Демо.tmp")), "new");
}

// The next write removes the temporary files of ended runs of ours, not those
// of running ones or of others.
TEST_F(TextFiles, LeftoversOfEndedRunsAreRemoved)
{
    const std::string out = folder.Write("out.htm", "old");
    const std::string running = ".sondrel-" + std::to_string(ThisProcess()) + "-1.tmp";
    const std::string others[] = {running, ".sondrel-x-1.tmp", ".sondrel-1234567890-1.tmp",
                                  ".sondrel-999999999-1.tmp.keep"};
    for (const std::string& name : others)
        folder.Write(name, "left over");
    folder.Write(".sondrel-999999999-1.tmp", "left over");
    WriteTextFile("new", out);
    EXPECT_EQ(Read(out), "new");
    Names expected(std::begin(others), std::end(others));
    expected.insert("out.htm");
    EXPECT_EQ(Entries(), expected);
}

}  // namespace
}  // namespace sondrel
