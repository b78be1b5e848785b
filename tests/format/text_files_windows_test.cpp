// What only Windows does to a file being replaced: another program may hold
// it open without letting it go, and "read-only" is an attribute.
#ifdef _WIN32

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>

#include "format/file_kind.h"
#include "format/file_paths.h"
#include "shell/project_library.h"
#include "format/text_ops.h"
#include "shell/temp_folder.h"
#include "support/fakes.h"

namespace fs = std::filesystem;

namespace sondrel {
namespace {

constexpr auto Read = &testing::TempFolder::Read;
using testing::FailureOf;
using testing::NativeOf;

class WindowsTextFiles : public ::testing::Test {
protected:
    const testing::TempFolder folder;
};

TEST_F(WindowsTextFiles, AFileHeldOpenByAnotherProgramStaysWholeAndTheMessageSaysWhy)
{
    const std::string out = folder.Write("Демо.htm", "the old document");
    // As an editor does that keeps the file open and lets others only read it.
    const HANDLE held = CreateFileW(NativeOf(out).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const std::string failure = FailureOf([&] { WriteTextFile("new", out); });
    CloseHandle(held);
    EXPECT_EQ(failure, out + ": cannot write the file: another program has it open (the old file is kept)");
    EXPECT_EQ(Read(out), "the old document");
    EXPECT_EQ(std::distance(fs::directory_iterator(NativeOf(folder.Path(""))), fs::directory_iterator()), 1)
        << "no temporary file is left behind";
    WriteTextFile("new", out);
    EXPECT_EQ(Read(out), "new");
}

TEST_F(WindowsTextFiles, AReadOnlyFileIsRefusedAndKept)
{
    const std::string out = folder.Write("read-only.htm", "old");
    ASSERT_TRUE(SetFileAttributesW(NativeOf(out).c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(FailureOf([&] { WriteTextFile("new", out); }), out + ": cannot write the file (Permission denied)");
    SetFileAttributesW(NativeOf(out).c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(Read(out), "old");
}

// The reserved names are devices in every folder and with any extension.
TEST_F(WindowsTextFiles, ReservedNamesAreDevices)
{
    for (const std::string name : {"CON", "nul", "NUL.htm", "COM1", "lpt9.txt"}) {
        const std::string path = folder.Path(name);
        EXPECT_FALSE(FileExists(path)) << name;
        EXPECT_EQ(FailureOf([&] { RequireOrdinaryFile(path); }), path + ": this is a device, not an ordinary file");
    }
    for (const std::string name : {"CONSOLE.htm", "COM0", "nullish.htm", "LPT10"})
        EXPECT_EQ(FailureOf([&] { RequireOrdinaryFile(folder.Write(name, "x")); }), "") << name;
}

// Windows lets a name hold half a UTF-16 pair, which no UTF-8 text can spell:
// the library lists it with U+FFFD in its place, and reading it then fails as
// any missing file does, instead of the whole search failing.
TEST_F(WindowsTextFiles, ANameThatIsNotValidUtf16IsListedAndFailsAlone)
{
    EXPECT_EQ(Utf8Path(fs::path(L"half\xD800.rpp")), "half\xEF\xBF\xBD.rpp");
    EXPECT_EQ(Utf8Path(fs::path(L"\xDC00\x0414\xD83C\xDFB5")), "\xEF\xBF\xBD\xD0\x94\xF0\x9F\x8E\xB5");  // a whole pair stays
    const std::wstring name = NativeOf(folder.Path("")).wstring() + L"half\xD800.rpp";
    const HANDLE file = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        GTEST_SKIP() << "this file system takes no such name (error " << GetLastError() << ")";
    CloseHandle(file);
    folder.Write("whole.rpp", "");
    const std::vector<std::string> found = FindProjects({folder.Path("")});
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0], folder.Path("half\xEF\xBF\xBD.rpp"));
    EXPECT_EQ(FailureOf([&] { ReadTextFile(found[0]); }), found[0] + ": the file does not exist");
    EXPECT_EQ(found[1], folder.Path("whole.rpp"));
}

}  // namespace
}  // namespace sondrel

#endif
