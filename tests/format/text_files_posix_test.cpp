// Writing through pipes, and writes that the system refuses or a signal ends
// part way: these need fork, seccomp and resource limits, which only POSIX
// systems (Linux for seccomp) have.
#ifdef __linux__

#include <gtest/gtest.h>

#include <fcntl.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
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

class PosixTextFiles : public ::testing::Test {
protected:
    Names Entries() const { return folder.Names(); }
    const testing::TempFolder folder;
};

TEST_F(PosixTextFiles, PipesAreWrittenIntoAndNeverRead)
{
    const std::string pipe = folder.Path("pipe.htm");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    const int reader = open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
    WriteTextFile("through the pipe", pipe);
    char buffer[64] = {};
    EXPECT_EQ(std::string(buffer, std::max<ssize_t>(read(reader, buffer, sizeof buffer), 0)), "through the pipe");
    close(reader);
    EXPECT_EQ(FailureOf([&] { ReadTextFile(pipe); }), pipe + ": this is a pipe, not an ordinary file");
    const std::string tooLong = folder.Path(std::string(300, 'n'));
    EXPECT_EQ(FailureOf([&] { ReadTextFile(tooLong); }), tooLong + ": cannot open the file (File name too long)");
    EXPECT_EQ(Entries(), Names{"pipe.htm"});
}

// A write that fails or is killed part way leaves the old document or the new one whole: past the size limit (by
// default the signal ends the run before the new file has a name), where the system refuses, killed at any moment.
TEST_F(PosixTextFiles, AFailedOrKilledWriteLeavesOneWholeDocument)
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
    for (int round = 0; round < 6; ++round) {
        EXPECT_EQ(InChild([&]() -> bool { while (true) WriteTextFile(newText, out); }, 20000 + 37000 * round), SIGKILL);
        EXPECT_TRUE(Read(out) == oldText || Read(out) == newText) << "round " << round;
        // A new file shows only once it is whole, and under its own name only.
        const std::string fresh = folder.Path("fresh.htm");
        InChild([&] { return WriteTextFile(newText, fresh), true; }, 1000 + 9000 * round);
        EXPECT_TRUE(!fs::exists(fresh) || Read(fresh) == newText) << "round " << round;
        fs::remove(fresh);
        WriteTextFile(oldText, out);  // removes what the killed run left
        EXPECT_EQ(Entries(), Names{"out.htm"}) << round;
    }
}

}  // namespace
}  // namespace sondrel

#endif
