#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "format/text_ops.h"
#include "model/file_error.h"

namespace fs = std::filesystem;

namespace sondrel {
namespace {

using ::testing::HasSubstr;

class TextFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::random_device seed;
        folder_ = fs::temp_directory_path() / ("sondrel-text-files-" + std::to_string(seed()));
        fs::create_directories(folder_);
    }

    void TearDown() override
    {
        std::error_code ignored;
        fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(folder_, ignored);
    }

    std::string PathOf(const std::string& name) const { return (folder_ / name).string(); }

    static void PutBytes(const std::string& path, const std::string& bytes)
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << bytes;
        ASSERT_TRUE(out.good());
    }

    static std::string BytesOf(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    std::vector<std::string> Entries() const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder_))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    // Root and similar users may write anywhere: permission tests then say nothing.
    bool PermissionsAreEnforced()
    {
        const fs::path locked = folder_ / "locked-probe";
        fs::create_directory(locked);
        fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
        const bool enforced = !std::ofstream(locked / "x").is_open();
        fs::permissions(locked, fs::perms::owner_all);
        fs::remove_all(locked);
        return enforced;
    }

    fs::path folder_;
};

std::string EveryByteTwice()
{
    std::string bytes;
    for (int round = 0; round < 2; ++round)
        for (int value = 0; value < 256; ++value)
            bytes += static_cast<char>(value);
    return bytes;
}

TEST_F(TextFiles, ReadingKeepsEveryByteAsStored)
{
    const std::vector<std::string> contents = {
        "line1\r\nline2\nline3\rend",   // every kind of line end, kept
        "\xEF\xBB\xBF<html>\xC3\xA4",   // a UTF-8 byte-order mark and text, kept
        "\xFF\xFE<\0h\0>\0",            // UTF-16 bytes are not decoded
        "no line end at the end",
        EveryByteTwice(),
        std::string(300000, 'x') + "\r\n",  // longer than one read
    };
    for (const std::string& content : contents) {
        PutBytes(PathOf("in.txt"), content);
        EXPECT_EQ(ReadTextFile(PathOf("in.txt")), content);
    }
}

TEST_F(TextFiles, AnEmptyFileReadsAsEmptyText)
{
    PutBytes(PathOf("empty.htm"), "");
    EXPECT_EQ(ReadTextFile(PathOf("empty.htm")), "");
}

TEST_F(TextFiles, ReadingWhatCannotBeReadFailsNamingTheFile)
{
    const std::string missing = PathOf("missing.htm");
    try {
        ReadTextFile(missing);
        FAIL() << "a missing file was read";
    } catch (const FileError& error) {
        EXPECT_EQ(error.path(), missing);
        EXPECT_EQ(error.line(), 0);
        EXPECT_EQ(error.reason(), "the file does not exist");
        EXPECT_EQ(std::string(error.what()), missing + ": the file does not exist");
    }
    try {
        ReadTextFile(folder_.string());
        FAIL() << "a folder was read";
    } catch (const FileError& error) {
        EXPECT_EQ(error.path(), folder_.string());
        EXPECT_THAT(error.reason(), HasSubstr("folder"));
    }
    EXPECT_THROW(ReadTextFile(""), FileError);
}

TEST_F(TextFiles, ReadingAnUnreadableFileFails)
{
    if (!PermissionsAreEnforced())
        GTEST_SKIP() << "this user may read any file";
    PutBytes(PathOf("secret.txt"), "x");
    fs::permissions(PathOf("secret.txt"), fs::perms::none);
    try {
        ReadTextFile(PathOf("secret.txt"));
        FAIL() << "an unreadable file was read";
    } catch (const FileError& error) {
        EXPECT_EQ(error.reason(), "cannot open the file (Permission denied)");
    }
}

TEST_F(TextFiles, FileExistsOnlyForOrdinaryFiles)
{
    PutBytes(PathOf("song.rpp"), "<REAPER_PROJECT\n>\n");
    fs::create_directory(PathOf("sub"));
    fs::create_symlink(PathOf("song.rpp"), PathOf("link.rpp"));
    fs::create_symlink(PathOf("gone.rpp"), PathOf("dangling.rpp"));
    EXPECT_TRUE(FileExists(PathOf("song.rpp")));
    EXPECT_TRUE(FileExists(PathOf("link.rpp")));
    EXPECT_FALSE(FileExists(PathOf("sub")));
    EXPECT_FALSE(FileExists(PathOf("missing.rpp")));
    EXPECT_FALSE(FileExists(PathOf("dangling.rpp")));
    EXPECT_FALSE(FileExists(""));
}

TEST_F(TextFiles, WritingStoresExactlyTheText)
{
    for (const std::string& text : {std::string("a\r\nb\nc\r"), std::string("\xEF\xBB\xBFx"), EveryByteTwice(),
                                    std::string(), std::string(1 << 20, '#')}) {
        WriteTextFile(text, PathOf("out.htm"));
        EXPECT_EQ(BytesOf(PathOf("out.htm")), text);  // nothing added, no line end either
        EXPECT_EQ(ReadTextFile(PathOf("out.htm")), text);
    }
    EXPECT_EQ(Entries(), std::vector<std::string>{"out.htm"});
}

TEST_F(TextFiles, WritingOverALongerFileLeavesNoTraceOfIt)
{
    PutBytes(PathOf("out.htm"), std::string(100000, 'o') + "OLD");
    WriteTextFile("new", PathOf("out.htm"));
    EXPECT_EQ(BytesOf(PathOf("out.htm")), "new");
}

TEST_F(TextFiles, WritingCreatesAFileInARelativeFolder)
{
    const fs::path before = fs::current_path();
    fs::current_path(folder_);
    WriteTextFile("here", "relative.htm");
    fs::current_path(before);
    EXPECT_EQ(BytesOf(PathOf("relative.htm")), "here");
    EXPECT_EQ(Entries(), std::vector<std::string>{"relative.htm"});
}

TEST_F(TextFiles, WritingAFileWithTheLongestNameWorks)
{
    const std::string name(255, 'n');
    PutBytes(PathOf(name), "old");
    WriteTextFile("new", PathOf(name));
    EXPECT_EQ(BytesOf(PathOf(name)), "new");
    EXPECT_EQ(Entries(), std::vector<std::string>{name});
}

TEST_F(TextFiles, WritingKeepsTheFilePermissions)
{
    for (const fs::perms kept : {fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read,
                                 fs::perms::owner_all | fs::perms::others_read}) {
        PutBytes(PathOf("out.htm"), "old");
        fs::permissions(PathOf("out.htm"), kept);
        WriteTextFile("new", PathOf("out.htm"));
        EXPECT_EQ(fs::status(PathOf("out.htm")).permissions(), kept);
        EXPECT_EQ(BytesOf(PathOf("out.htm")), "new");
    }
}

TEST_F(TextFiles, WritingThroughALinkReplacesTheFileItNames)
{
    fs::create_directory(PathOf("real"));
    PutBytes(PathOf("real/target.htm"), "old content");
    fs::create_symlink("real/target.htm", PathOf("relative-link.htm"));  // relative to the link's folder
    fs::create_symlink(PathOf("relative-link.htm"), PathOf("link-to-link.htm"));

    WriteTextFile("first", PathOf("relative-link.htm"));
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(PathOf("relative-link.htm"))));
    EXPECT_EQ(BytesOf(PathOf("real/target.htm")), "first");

    WriteTextFile("second", PathOf("link-to-link.htm"));
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(PathOf("link-to-link.htm"))));
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(PathOf("relative-link.htm"))));
    EXPECT_EQ(BytesOf(PathOf("real/target.htm")), "second");
    EXPECT_EQ(Entries(), (std::vector<std::string>{"link-to-link.htm", "real", "relative-link.htm"}));
}

TEST_F(TextFiles, WritingThroughADanglingLinkCreatesItsTarget)
{
    fs::create_symlink("made.htm", PathOf("link.htm"));
    WriteTextFile("made", PathOf("link.htm"));
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(PathOf("link.htm"))));
    EXPECT_EQ(BytesOf(PathOf("made.htm")), "made");
}

TEST_F(TextFiles, ALoopOfLinksFails)
{
    fs::create_symlink("b.htm", PathOf("a.htm"));
    fs::create_symlink("a.htm", PathOf("b.htm"));
    EXPECT_THROW(WriteTextFile("x", PathOf("a.htm")), FileError);
}

TEST_F(TextFiles, AFailedWriteLeavesTheOldFileWhole)
{
    // Files may grow to 4 KB only; a larger write fails part way.
    PutBytes(PathOf("out.htm"), "the old document");
    rlimit original{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &original), 0);
    rlimit small = original;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);

    std::string reason;
    try {
        WriteTextFile(std::string(1 << 20, 'n'), PathOf("out.htm"));
    } catch (const FileError& error) {
        reason = error.reason();
    }
    setrlimit(RLIMIT_FSIZE, &original);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(reason, "cannot write the file (File too large)");
    EXPECT_EQ(BytesOf(PathOf("out.htm")), "the old document");
    EXPECT_EQ(Entries(), std::vector<std::string>{"out.htm"});  // no temporary file left behind
}

TEST_F(TextFiles, WritingWhereNoFileCanBeFails)
{
    const std::string inMissingFolder = PathOf("no-such-folder/out.htm");
    try {
        WriteTextFile("x", inMissingFolder);
        FAIL() << "wrote into a missing folder";
    } catch (const FileError& error) {
        EXPECT_EQ(error.path(), inMissingFolder);
        EXPECT_EQ(error.reason(), "cannot write the file (No such file or directory)");
        EXPECT_THAT(error.what(), HasSubstr(inMissingFolder));
    }
    fs::create_directory(PathOf("folder.htm"));
    try {
        WriteTextFile("x", PathOf("folder.htm"));
        FAIL() << "wrote over a folder";
    } catch (const FileError& error) {
        EXPECT_EQ(error.path(), PathOf("folder.htm"));
        EXPECT_THAT(error.reason(), HasSubstr("folder"));
    }
    EXPECT_TRUE(fs::is_directory(PathOf("folder.htm")));
    EXPECT_EQ(Entries(), std::vector<std::string>{"folder.htm"});
}

TEST_F(TextFiles, WritingIntoAnUnwritableFolderFailsNamingTheFile)
{
    if (!PermissionsAreEnforced())
        GTEST_SKIP() << "this user may write anywhere";
    // Replacing needs a new file beside the old one, so an existing file that
    // could itself be written is refused as well as a new one.
    PutBytes(PathOf("out.htm"), "old");
    fs::permissions(folder_, fs::perms::owner_read | fs::perms::owner_exec);
    std::vector<std::string> messages;
    for (const char* name : {"out.htm", "new.htm"}) {
        try {
            WriteTextFile("new", PathOf(name));
        } catch (const FileError& error) {
            messages.push_back(error.what());
        }
    }
    fs::permissions(folder_, fs::perms::owner_all);
    EXPECT_EQ(messages, (std::vector<std::string>{PathOf("out.htm") + ": cannot write the file (Permission denied)",
                                                  PathOf("new.htm") + ": cannot write the file (Permission denied)"}));
    EXPECT_EQ(BytesOf(PathOf("out.htm")), "old");
    EXPECT_EQ(Entries(), std::vector<std::string>{"out.htm"});
}

TEST_F(TextFiles, AReadOnlyFileIsNotReplaced)
{
    if (!PermissionsAreEnforced())
        GTEST_SKIP() << "this user may write anywhere";
    PutBytes(PathOf("out.htm"), "old");
    fs::permissions(PathOf("out.htm"), fs::perms::owner_read);
    EXPECT_THROW(WriteTextFile("new", PathOf("out.htm")), FileError);
    EXPECT_EQ(BytesOf(PathOf("out.htm")), "old");
}

TEST_F(TextFiles, APipeIsWrittenAndNotReplaced)
{
    // Output to a pipe or device (such as /dev/stdout) goes straight into it.
    const std::string pipe = PathOf("pipe");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    const int reader = open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    WriteTextFile("through the pipe", pipe);
    char buffer[64] = {};
    const ssize_t count = read(reader, buffer, sizeof buffer);
    close(reader);
    EXPECT_EQ(std::string(buffer, count > 0 ? static_cast<std::size_t>(count) : 0), "through the pipe");
    EXPECT_TRUE(fs::is_fifo(pipe));
    EXPECT_EQ(Entries(), std::vector<std::string>{"pipe"});
}

}  // namespace
}  // namespace sondrel
