#ifdef _WIN32

#include <gtest/gtest.h>
#include <windows.h>
// windows.h first: sddl.h relies on it.
#include <sddl.h>

#include <random>
#include <string>

#include "platform/windows_registry.h"

namespace sondrel {
namespace {

using Status = RegistryText::Status;

// Each test works in a key of its own under HKEY_CURRENT_USER, so that runs
// side by side do not meet, and removes it afterwards.
class SystemInfoWindowsRegistry : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::random_device random;
        keyName_ = "Software\\SondrelTest\\" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(random());
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, keyName_.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                  KEY_ALL_ACCESS, nullptr, &key_, nullptr),
                  ERROR_SUCCESS);
    }

    void TearDown() override
    {
        if (key_ != nullptr)
            RegCloseKey(key_);
        RegDeleteTreeA(HKEY_CURRENT_USER, keyName_.c_str());
        // Fails, as it should, while another run still has a key under it.
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\SondrelTest");
    }

    // Stores exactly these bytes. RegSetValueExA adds a zero to text whose
    // next byte in memory is one, as std::string's always is; a byte after
    // the data that is no zero keeps it from doing so.
    static void Write(HKEY key, const std::string& valueName, DWORD type, const std::string& bytes)
    {
        const std::string guarded = bytes + 'x';
        ASSERT_EQ(RegSetValueExA(key, valueName.c_str(), 0, type, reinterpret_cast<const BYTE*>(guarded.data()),
                                 static_cast<DWORD>(bytes.size())),
                  ERROR_SUCCESS)
            << valueName;
    }

    RegistryText Read(const std::string& valueName, const std::string& subKey = "") const
    {
        const std::string keyName = subKey.empty() ? keyName_ : keyName_ + "\\" + subKey;
        return WindowsRegistry(HKEY_CURRENT_USER).ReadText(keyName, valueName);
    }

    std::string keyName_;
    HKEY key_ = nullptr;
};

// Text ends at its first zero; a value with none in the whole buffer cannot be
// trusted, and one longer than the buffer cannot be read at all. Only plain
// text gives text. A value or key that is not there is missing.
TEST_F(SystemInfoWindowsRegistry, ReadsTextUpToItsFirstZeroAndRefusesAValueThatFillsTheBuffer)
{
    const std::string filled(1024, 'x');
    const struct { const char* name; DWORD type; std::string bytes; Status status; std::string text; } cases[] = {
        {"short text", REG_SZ, std::string("C:\\x.exe", 9), Status::Found, "C:\\x.exe"},
        {"text stored without its zero", REG_SZ, "C:\\x.exe", Status::Found, "C:\\x.exe"},
        {"text cut at an inner zero", REG_SZ, std::string("C:\\a\0junk\0", 10), Status::Found, "C:\\a"},
        {"text one byte short of the buffer", REG_SZ, std::string(1023, 'x'), Status::Found, std::string(1023, 'x')},
        {"text filling the buffer", REG_SZ, filled, Status::Unusable, ""},
        {"binary filling the buffer", REG_BINARY, std::string(1024, '\x7f'), Status::Unusable, ""},
        {"text longer than the buffer", REG_SZ, filled + "x", Status::Missing, ""},
        {"number", REG_DWORD, std::string("\x07\x00\x00\x00", 4), Status::Found, ""},
    };
    for (const auto& c : cases)
        Write(key_, c.name, c.type, c.bytes);
    for (const auto& c : cases) {
        const RegistryText read = Read(c.name);
        EXPECT_EQ(read.status, c.status) << c.name;
        EXPECT_EQ(read.text, c.text) << c.name;
    }
    for (const RegistryText& missing : {Read("never written"), Read("short text", "Nowhere")})
        EXPECT_EQ(missing.status, Status::Missing);
}

TEST_F(SystemInfoWindowsRegistry, ConvertsTheAnsiCodePageToUtf8)
{
    if (GetACP() != 1252)
        GTEST_SKIP() << "the value is written in code page 1252, and this system's ANSI code page is " << GetACP();
    Write(key_, "PATH", REG_SZ, std::string("C:\\M\xFCller\\msinfo32.exe", 23));
    const RegistryText read = Read("PATH");
    EXPECT_EQ(read.status, Status::Found);
    EXPECT_EQ(read.text, "C:\\M\xC3\xBCller\\msinfo32.exe");
}

// A standard user under UAC may read HKEY_LOCAL_MACHINE but not write to it;
// a key whose access list grants reading alone stands in for it here.
TEST_F(SystemInfoWindowsRegistry, ReadsAKeyThatGrantsOnlyReading)
{
    HKEY readOnly = nullptr;
    ASSERT_EQ(RegCreateKeyExA(key_, "ReadOnly", 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                              &readOnly, nullptr),
              ERROR_SUCCESS);
    Write(readOnly, "PATH", REG_SZ, std::string("C:\\x.exe", 9));
    // Reading for everyone, and deleting so that TearDown can still remove it.
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA("D:P(A;;KR;;;WD)(A;;SD;;;WD)", SDDL_REVISION_1,
                                                                     &descriptor, nullptr));
    const LONG secured = RegSetKeySecurity(readOnly, DACL_SECURITY_INFORMATION, descriptor);
    LocalFree(descriptor);
    RegCloseKey(readOnly);
    ASSERT_EQ(secured, ERROR_SUCCESS);
    HKEY writable = nullptr;
    if (RegOpenKeyExA(key_, "ReadOnly", 0, KEY_SET_VALUE, &writable) == ERROR_SUCCESS) {
        RegCloseKey(writable);
        GTEST_SKIP() << "this system lets the key be opened for writing despite its access list";
    }
    const RegistryText read = Read("PATH", "ReadOnly");
    EXPECT_EQ(read.status, Status::Found);
    EXPECT_EQ(read.text, "C:\\x.exe");
}

// Every Windows keeps this value under HKEY_LOCAL_MACHINE alone, and lets
// any user read it.
TEST(SystemInfoWindowsRegistryRoot, ReadsUnderHkeyLocalMachineByDefault)
{
    const RegistryText read =
        WindowsRegistry().ReadText("SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", "CurrentBuild");
    EXPECT_EQ(read.status, Status::Found);
    EXPECT_NE(read.text, "");
}

}  // namespace
}  // namespace sondrel

#endif  // _WIN32
