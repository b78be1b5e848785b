#include <gtest/gtest.h>

#include <fcntl.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
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

using Names = std::vector<std::string>;

class TextFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder_ = fs::temp_directory_path() / ("sondrel-text-files-" + std::to_string(std::random_device()()));
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
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    }

    static std::string BytesOf(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    // The folder's entries, sorted: shows a temporary file left behind.
    Names Entries() const
    {
        Names names;
        for (const auto& entry : fs::directory_iterator(folder_))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    // The failure message of an operation, or "" when it succeeds.
    template <typename Operation>
    static std::string FailureOf(Operation operation)
    {
        try {
            operation();
        } catch (const FileError& error) {
            return error.what();
        }
        return "";
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
    for (int value = 0; value < 512; ++value)
        bytes += static_cast<char>(value % 256);
    return bytes;
}

TEST_F(TextFiles, ReadingAndWritingKeepEveryByte)
{
    const std::vector<std::string> contents = {
        "line1\r\nline2\nline3\rend",        // every kind of line end, kept
        "\xEF\xBB\xBF<html>\xC3\xA4",        // a UTF-8 byte-order mark and text, kept
        std::string("\xFF\xFE<\0h\0>\0", 8), // UTF-16 bytes are not decoded
        "no line end at the end",
        "",
        EveryByteTwice(),
        std::string(300000, 'x') + "\r\n",   // longer than one read
    };
    for (const std::string& content : contents) {
        PutBytes(PathOf("in.txt"), content);
        EXPECT_EQ(ReadTextFile(PathOf("in.txt")), content);
        WriteTextFile(content, PathOf("out.htm"));
        EXPECT_EQ(BytesOf(PathOf("out.htm")), content);  // nothing added, no line end either
    }
    PutBytes(PathOf("out.htm"), std::string(100000, 'o') + "OLD");
    WriteTextFile("new", PathOf("out.htm"));
    EXPECT_EQ(BytesOf(PathOf("out.htm")), "new");
    EXPECT_EQ(Entries(), (Names{"in.txt", "out.htm"}));
}

TEST_F(TextFiles, ReadingWhatCannotBeReadFailsNamingTheFile)
{
    const std::string missing = PathOf("missing.htm");
    EXPECT_EQ(FailureOf([&] { ReadTextFile(missing); }), missing + ": the file does not exist");
    const std::string folder = FailureOf([&] { ReadTextFile(folder_.string()); });
    EXPECT_EQ(folder.rfind(folder_.string() + ": ", 0), 0u) << folder;
    EXPECT_NE(folder.find("folder", folder_.string().size()), std::string::npos) << folder;
    EXPECT_THROW(ReadTextFile(""), FileError);
    const std::string tooLong = PathOf(std::string(300, 'n'));
    EXPECT_EQ(FailureOf([&] { ReadTextFile(tooLong); }), tooLong + ": cannot open the file (File name too long)");

    // A template that never ends, or would fill the memory, is refused at once.
    const std::string pipe = PathOf("pipe.htm");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_EQ(FailureOf([&] { ReadTextFile(pipe); }), pipe + ": this is a pipe, not an ordinary file");
    EXPECT_EQ(FailureOf([&] { ReadTextFile("/dev/zero"); }), "/dev/zero: this is a device, not an ordinary file");
    const std::string huge = PathOf("huge.htm");
    PutBytes(huge, "");
    fs::resize_file(huge, (std::uintmax_t{1} << 30) + 1);  // sparse: takes no room on disk
    EXPECT_EQ(FailureOf([&] { ReadTextFile(huge); }), huge + ": the file is larger than 1 GiB, more than a template can be");
}

TEST_F(TextFiles, FileExistsOnlyForOrdinaryFiles)
{
    PutBytes(PathOf("song.rpp"), "<REAPER_PROJECT\n>\n");
    fs::create_directory(PathOf("sub"));
    fs::create_symlink(PathOf("song.rpp"), PathOf("link.rpp"));
    fs::create_symlink(PathOf("gone.rpp"), PathOf("dangling.rpp"));
    EXPECT_TRUE(FileExists(PathOf("song.rpp")));
    EXPECT_TRUE(FileExists(PathOf("link.rpp")));
    for (const char* name : {"sub", "missing.rpp", "dangling.rpp"})
        EXPECT_FALSE(FileExists(PathOf(name))) << name;
    EXPECT_FALSE(FileExists(""));
}

TEST_F(TextFiles, WritingWorksForRelativePathsAndTheLongestName)
{
    // The temporary file stands beside the target, whatever the path's form.
    const fs::path before = fs::current_path();
    fs::current_path(folder_);
    WriteTextFile("here", "relative.htm");
    fs::current_path(before);
    EXPECT_EQ(BytesOf(PathOf("relative.htm")), "here");
    const std::string name(255, 'n');
    PutBytes(PathOf(name), "old");
    WriteTextFile("new", PathOf(name));
    EXPECT_EQ(BytesOf(PathOf(name)), "new");
    EXPECT_EQ(Entries(), (Names{name, "relative.htm"}));
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
    fs::create_symlink("made.htm", PathOf("dangling.htm"));

    WriteTextFile("first", PathOf("relative-link.htm"));
    EXPECT_EQ(BytesOf(PathOf("real/target.htm")), "first");
    WriteTextFile("second", PathOf("link-to-link.htm"));
    EXPECT_EQ(BytesOf(PathOf("real/target.htm")), "second");
    WriteTextFile("made", PathOf("dangling.htm"));
    EXPECT_EQ(BytesOf(PathOf("made.htm")), "made");
    for (const char* link : {"relative-link.htm", "link-to-link.htm", "dangling.htm"})
        EXPECT_TRUE(fs::is_symlink(fs::symlink_status(PathOf(link)))) << link;
    EXPECT_EQ(Entries(), (Names{"dangling.htm", "link-to-link.htm", "made.htm", "real", "relative-link.htm"}));

    fs::create_symlink("b.htm", PathOf("a.htm"));
    fs::create_symlink("a.htm", PathOf("b.htm"));
    EXPECT_THROW(WriteTextFile("x", PathOf("a.htm")), FileError) << "a loop of links";
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
    const std::string failure = FailureOf([&] { WriteTextFile(std::string(1 << 20, 'n'), PathOf("out.htm")); });
    setrlimit(RLIMIT_FSIZE, &original);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(failure, PathOf("out.htm") + ": cannot write the file (File too large)");
    EXPECT_EQ(BytesOf(PathOf("out.htm")), "the old document");
    EXPECT_EQ(Entries(), Names{"out.htm"});  // no temporary file left behind
}

// A run killed while it writes leaves the old document, or the new one
// whole, and no temporary file: a real SIGKILL at a different moment of the
// write each round.
TEST_F(TextFiles, AKilledWriteLeavesNoTemporaryFile)
{
    const std::string oldText = "the old document";
    const std::string newText(64 << 20, 'n');
    PutBytes(PathOf("out.htm"), oldText);
    for (int round = 0; round < 6; ++round) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (;;)
                WriteTextFile(newText, PathOf("out.htm"));
        }
        usleep(static_cast<useconds_t>(20000 + 37000 * round));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status));
        const std::string left = BytesOf(PathOf("out.htm"));
        EXPECT_TRUE(left == oldText || left == newText) << "round " << round << ": " << left.size() << " bytes";
        // A name given in the instant before the rename is removed by the next write.
        WriteTextFile(oldText, PathOf("out.htm"));
        EXPECT_EQ(Entries(), Names{"out.htm"}) << "round " << round;
    }
}

// The status of a child that runs body and exits 0 unless a signal ends it.
template <typename Body>
int InChild(Body body)
{
    const pid_t child = fork();
    if (child == 0) {
        body();
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return status;
}

// A run that dies in the middle of writing leaves nothing, not even until
// the next write: the file being written has no name yet.
TEST_F(TextFiles, ARunThatDiesWhileWritingLeavesNothingAtOnce)
{
    PutBytes(PathOf("out.htm"), "the old document");
    const int status = InChild([&] {
        const rlimit small{4096, 4096};
        setrlimit(RLIMIT_FSIZE, &small);
        std::signal(SIGXFSZ, SIG_DFL);  // passing the limit ends the process
        WriteTextFile(std::string(1 << 20, 'n'), PathOf("out.htm"));
    });
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ) << status;
    EXPECT_EQ(Entries(), Names{"out.htm"});
    EXPECT_EQ(BytesOf(PathOf("out.htm")), "the old document");
}

// Setting the new file's permissions can fail (on some mounted file
// systems): the write then fails with its own reason and the old file stays.
TEST_F(TextFiles, PermissionsThatCannotBeKeptFailTheWrite)
{
    PutBytes(PathOf("out.htm"), "the old document");
    const std::string expected = PathOf("out.htm") + ": cannot keep the file's permissions (Operation not permitted)";
    const int status = InChild([&] {
        // The system refuses every fchmod from here on, as such a file system would.
        sock_filter filter[] = {
            BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
            BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_fchmod, 0, 1),
            BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | EPERM),
            BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
        };
        const sock_fprog program{static_cast<unsigned short>(std::size(filter)), filter};
        if (prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0 || prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) != 0)
            _exit(2);
        _exit(FailureOf([&] { WriteTextFile("new", PathOf("out.htm")); }) == expected ? 0 : 1);
    });
    ASSERT_TRUE(WIFEXITED(status)) << status;
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: another message or none, 2: no filter";
    EXPECT_EQ(BytesOf(PathOf("out.htm")), "the old document");
    EXPECT_EQ(Entries(), Names{"out.htm"});
}

// What a killed run of ours left is removed; a running one's file is not.
TEST_F(TextFiles, WritingRemovesTheTemporaryFilesOfEndedRuns)
{
    const pid_t ended = fork();
    if (ended == 0)
        _exit(0);
    waitpid(ended, nullptr, 0);
    const std::string stale = ".sondrel-" + std::to_string(ended) + "-42.tmp";
    const std::string running = ".sondrel-" + std::to_string(getpid()) + "-42.tmp";
    for (const std::string& name : {stale, running, std::string(".sondrel-x-1.tmp"), std::string("other.tmp")})
        PutBytes(PathOf(name), "left over");
    WriteTextFile("new", PathOf("out.htm"));
    EXPECT_EQ(Entries(), (Names{running, ".sondrel-x-1.tmp", "other.tmp", "out.htm"}));
}

TEST_F(TextFiles, WritingWhereNoFileCanBeFails)
{
    const std::string inMissingFolder = PathOf("no-such-folder/out.htm");
    EXPECT_EQ(FailureOf([&] { WriteTextFile("x", inMissingFolder); }),
              inMissingFolder + ": cannot write the file (No such file or directory)");
    fs::create_directory(PathOf("folder.htm"));
    const std::string overFolder = FailureOf([&] { WriteTextFile("x", PathOf("folder.htm")); });
    EXPECT_EQ(overFolder.rfind(PathOf("folder.htm") + ": ", 0), 0u) << overFolder;
    EXPECT_NE(overFolder.find("folder", PathOf("folder.htm").size()), std::string::npos) << overFolder;
    EXPECT_TRUE(fs::is_directory(PathOf("folder.htm")));
    EXPECT_EQ(Entries(), Names{"folder.htm"});
}

TEST_F(TextFiles, PermissionsRefusedFailAndKeepTheOldFile)
{
    if (!PermissionsAreEnforced())
        GTEST_SKIP() << "this user may read and write anything";
    PutBytes(PathOf("secret.txt"), "x");
    fs::permissions(PathOf("secret.txt"), fs::perms::none);
    EXPECT_EQ(FailureOf([&] { ReadTextFile(PathOf("secret.txt")); }),
              PathOf("secret.txt") + ": cannot open the file (Permission denied)");
    PutBytes(PathOf("read-only.htm"), "old");
    fs::permissions(PathOf("read-only.htm"), fs::perms::owner_read);
    EXPECT_THROW(WriteTextFile("new", PathOf("read-only.htm")), FileError);
    EXPECT_EQ(BytesOf(PathOf("read-only.htm")), "old");

    // Replacing needs a new file beside the old one, so an existing file that
    // could itself be written is refused as well as a new one.
    PutBytes(PathOf("out.htm"), "old");
    fs::permissions(folder_, fs::perms::owner_read | fs::perms::owner_exec);
    Names messages;
    for (const char* name : {"out.htm", "new.htm"})
        messages.push_back(FailureOf([&] { WriteTextFile("new", PathOf(name)); }));
    fs::permissions(folder_, fs::perms::owner_all);
    EXPECT_EQ(messages, (Names{PathOf("out.htm") + ": cannot write the file (Permission denied)",
                               PathOf("new.htm") + ": cannot write the file (Permission denied)"}));
    EXPECT_EQ(BytesOf(PathOf("out.htm")), "old");
    EXPECT_EQ(Entries(), (Names{"out.htm", "read-only.htm", "secret.txt"}));
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
    EXPECT_EQ(Entries(), Names{"pipe"});
}

}  // namespace
}  // namespace sondrel
