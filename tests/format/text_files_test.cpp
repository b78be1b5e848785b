#include <gtest/gtest.h>

#include <fcntl.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <set>

#include "format/text_ops.h"
#include "shell/temp_folder.h"
#include "support/fakes.h"

namespace fs = std::filesystem;

namespace sondrel {
namespace {

using Names = std::set<std::string>;
constexpr auto Read = &testing::TempFolder::Read;
using testing::FailureOf;

// The wait status of a child process that exits 0 when body returns true; killed after killAfter microseconds if given.
int InChild(const std::function<bool()>& body, useconds_t killAfter = 0)
{
    const pid_t child = fork();
    if (child == 0)
        _exit(body() ? 0 : 1);
    if (killAfter > 0) {
        usleep(killAfter);
        kill(child, SIGKILL);
    }
    int status = 0;
    return waitpid(child, &status, 0) == child ? status : -1;
}

// Makes every call of the system function number fail with error from here on, as a file system would.
bool Refuse(unsigned number, unsigned error)
{
    sock_filter filter[] = {BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
                            BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, number, 0, 1),
                            BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | error),
                            BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW)};
    const sock_fprog program{static_cast<unsigned short>(std::size(filter)), filter};
    return prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 && prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) == 0;
}

class TextFiles : public ::testing::Test {
protected:
    Names Entries() const  // shows a temporary file left behind
    {
        Names names;
        for (const auto& entry : fs::directory_iterator(folder.Path("")))
            names.insert(entry.path().filename().string());
        return names;
    }
    const testing::TempFolder folder;
};

TEST_F(TextFiles, FailuresNameTheFileAndTheReason)
{
    // A pipe or device (such as /dev/stdout) is written into, never replaced, and never read from.
    const std::string pipe = folder.Path("pipe.htm");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    const int reader = open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
    WriteTextFile("through the pipe", pipe);
    char buffer[64] = {};
    EXPECT_EQ(std::string(buffer, std::max<ssize_t>(read(reader, buffer, sizeof buffer), 0)), "through the pipe");
    close(reader);
    fs::resize_file(folder.Write("huge.htm", ""), (std::uintmax_t{1} << 30) + 1);  // sparse: takes no room
    fs::create_directory(folder.Path("folder.htm"));
    fs::create_symlink("b.htm", folder.Path("a.htm"));
    fs::create_symlink("a.htm", folder.Path("b.htm"));
    const std::pair<std::string, std::string> reads[] = {
        {folder.Path("missing.htm"), "the file does not exist"}, {pipe, "this is a pipe, not an ordinary file"},
        {folder.Path("folder.htm"), "this is a folder, not a file"},
        {folder.Path(std::string(300, 'n')), "cannot open the file (File name too long)"},
        {folder.Path("huge.htm"), "the file is larger than 1 GiB, more than a template can be"}};
    for (const auto& failure : reads)
        EXPECT_EQ(FailureOf([&] { ReadTextFile(failure.first); }), failure.first + ": " + failure.second);
    const std::pair<std::string, std::string> writes[] = {
        {folder.Path("none/out.htm"), "cannot write the file (No such file or directory)"},
        {folder.Path("folder.htm"), "cannot write the file: this is a folder"},
        {folder.Path("a.htm"), "cannot write the file (too many symbolic links)"}};
    for (const auto& failure : writes)
        EXPECT_EQ(FailureOf([&] { WriteTextFile("x", failure.first); }), failure.first + ": " + failure.second);
    EXPECT_EQ(Entries(), (Names{"a.htm", "b.htm", "folder.htm", "huge.htm", "pipe.htm"}));
}

// Every byte is kept as it is. A link stays a link: the file it names is replaced, keeping its permissions.
TEST_F(TextFiles, ReadingAndWritingKeepEveryByteAndLinks)
{
    std::string every = "\xEF\xBB\xBFline1\r\nline2\nline3\r" + std::string(100000, 'x');  // more than one read
    for (int value = 0; value < 256; ++value)
        every += static_cast<char>(value);
    for (const std::string& content : {std::string(), every, std::string("new")}) {
        EXPECT_EQ(ReadTextFile(folder.Write("in.txt", content)), content);
        WriteTextFile(content, folder.Path("out.htm"));
        EXPECT_EQ(Read(folder.Path("out.htm")), content);
    }
    fs::create_directory(folder.Path("real"));
    const std::string target = folder.Write("real/target.htm", "old");
    fs::permissions(target, fs::perms::owner_all | fs::perms::others_read);
    fs::create_symlink("real/target.htm", folder.Path("relative-link.htm"));  // relative to the link's folder
    fs::create_symlink("made.htm", folder.Path("dangling.htm"));
    EXPECT_FALSE(FileExists(folder.Path("dangling.htm")) || FileExists(folder.Path("real")));  // only ordinary files
    for (const char* link : {"relative-link.htm", "dangling.htm"})
        WriteTextFile(link, folder.Path(link));
    EXPECT_EQ(fs::read_symlink(folder.Path("relative-link.htm")).string() + " " +
                  fs::read_symlink(folder.Path("dangling.htm")).string(), "real/target.htm made.htm");  // still links
    EXPECT_EQ(Read(target) + " " + Read(folder.Path("made.htm")), "relative-link.htm dangling.htm");
    EXPECT_TRUE(FileExists(folder.Path("dangling.htm")));
    EXPECT_EQ(fs::status(target).permissions(), fs::perms::owner_all | fs::perms::others_read);
    EXPECT_EQ(Entries(), (Names{"dangling.htm", "in.txt", "made.htm", "out.htm", "real", "relative-link.htm"}));
}

// A write that fails or is killed part way leaves the old document or the new one whole: past the size limit (by
// default the signal ends the run before the new file has a name), where the system refuses, killed at any moment.
// The next write removes the temporary files of ended runs of ours, not those of running ones or of others.
TEST_F(TextFiles, AFailedOrKilledWriteLeavesOneWholeDocument)
{
    const std::string oldText = "the old document", newText(64 << 20, 'n'), out = folder.Write("out.htm", oldText);
    const auto fails = [&](const std::string& text, const std::string& reason) {
        return FailureOf([&] { WriteTextFile(text, out); }) == out + ": " + reason;
    };
    const auto limited = [&](sighandler_t handler) {
        return InChild([&] {
            const rlimit small{4096, 4096};
            return setrlimit(RLIMIT_FSIZE, &small) == 0 && std::signal(SIGXFSZ, handler) != SIG_ERR &&
                   fails(newText, "cannot write the file (File too large)");
        });
    };
    const int ignored = limited(SIG_IGN), ended = limited(SIG_DFL);
    EXPECT_TRUE(ignored == 0 && WIFSIGNALED(ended) && WTERMSIG(ended) == SIGXFSZ) << ignored << " " << ended;
    EXPECT_EQ(Entries(), Names{"out.htm"}) << "the file being written has no name until it is complete";
    const struct { unsigned call, error; const char* reason; } refusals[] = {
        {__NR_access, EACCES, "cannot write the file (Permission denied)"},
        {__NR_openat, EACCES, "cannot write the file (Permission denied)"},
        {__NR_fchmod, EPERM, "cannot keep the file's permissions (Operation not permitted)"}};
    for (const auto& refusal : refusals)
        EXPECT_EQ(InChild([&] { return Refuse(refusal.call, refusal.error) && fails("new", refusal.reason); }), 0)
            << refusal.reason;
    EXPECT_EQ(Read(out), oldText);
    EXPECT_EQ(Entries(), Names{"out.htm"});
    const std::string running = ".sondrel-" + std::to_string(getpid()) + "-1.tmp";
    folder.Write(running, "");
    for (int round = 0; round < 6; ++round) {
        EXPECT_EQ(InChild([&]() -> bool { while (true) WriteTextFile(newText, out); }, 20000 + 37000 * round), SIGKILL);
        EXPECT_TRUE(Read(out) == oldText || Read(out) == newText) << "round " << round;
        // A new file shows only once it is whole, and under its own name only.
        const std::string fresh = folder.Path("fresh.htm");
        InChild([&] { return WriteTextFile(newText, fresh), true; }, 1000 + 9000 * round);
        EXPECT_TRUE(!fs::exists(fresh) || Read(fresh) == newText) << "round " << round;
        fs::remove(fresh);
        for (const char* name : {".sondrel-999999999-1.tmp", ".sondrel-x-1.tmp", ".sondrel-1234567890-1.tmp",
                                 ".sondrel-999999999-1.tmp.keep"})
            folder.Write(name, "left over");
        WriteTextFile(oldText, out);
        EXPECT_EQ(Entries(), (Names{running, ".sondrel-x-1.tmp", ".sondrel-1234567890-1.tmp",
                                    ".sondrel-999999999-1.tmp.keep", "out.htm"})) << round;
    }
}

}  // namespace
}  // namespace sondrel
