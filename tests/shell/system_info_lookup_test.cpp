#include <gtest/gtest.h>

#include <map>
#include <set>
#include <utility>
#include <vector>

#include "shell/system_info_lookup.h"

namespace sondrel {
namespace {

using Status = RegistryText::Status;
using ValueName = std::pair<std::string, std::string>;  // key, value

const ValueName programValue{"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH"};
const ValueName folderValue{"SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO"};

// Answers from a table (anything else is Missing) and remembers what it was asked.
class FakeRegistry : public RegistryReader {
public:
    explicit FakeRegistry(std::map<ValueName, RegistryText> values) : values_(std::move(values)) {}

    RegistryText ReadText(const std::string& keyName, const std::string& valueName) const override
    {
        asked.emplace_back(keyName, valueName);
        const auto found = values_.find({keyName, valueName});
        return found == values_.end() ? RegistryText{} : found->second;
    }

    mutable std::vector<ValueName> asked;

private:
    std::map<ValueName, RegistryText> values_;
};

struct LookupCase {
    const char* name;
    std::map<ValueName, RegistryText> values;
    std::set<std::string> existingFiles;
    std::optional<std::string> expected;
    std::vector<ValueName> expectedAsked;
    std::vector<std::string> expectedChecked;  // files looked for
};

TEST(SystemInfoLookup, FindsTheProgramThePathValueNamesOrMsinfo32InTheSharedToolsFolder)
{
    const std::string folder = "C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo";
    const std::string folderExe = folder + "\\MSINFO32.EXE";
    const std::string named = "D:\\Tools\\msinfo32.exe";
    const RegistryText namedText{Status::Found, named};
    const RegistryText folderText{Status::Found, folder};
    const RegistryText unusable{Status::Unusable, ""};
    const LookupCase cases[] = {
        // Started as written, whether the file is there or not.
        {"path value, no such file", {{programValue, namedText}, {folderValue, folderText}}, {folderExe}, named,
         {programValue}, {}},
        {"empty path value still ends the lookup", {{programValue, {Status::Found, ""}}, {folderValue, folderText}},
         {folderExe}, "", {programValue}, {}},
        {"only the folder, exe there", {{folderValue, folderText}}, {folderExe}, folderExe,
         {programValue, folderValue}, {folderExe}},
        {"only the folder, exe elsewhere", {{folderValue, folderText}}, {named}, std::nullopt,
         {programValue, folderValue}, {folderExe}},
        {"neither value", {}, {folderExe, named}, std::nullopt, {programValue, folderValue}, {}},
        {"path value unusable: the folder is not consulted", {{programValue, unusable}, {folderValue, folderText}},
         {folderExe}, std::nullopt, {programValue}, {}},
        {"folder value unusable", {{folderValue, unusable}}, {folderExe, "\\MSINFO32.EXE"}, std::nullopt,
         {programValue, folderValue}, {}},
    };
    for (const LookupCase& c : cases) {
        SCOPED_TRACE(c.name);
        const FakeRegistry registry(c.values);
        std::vector<std::string> checked;
        const auto exists = [&](const std::string& file) {
            checked.push_back(file);
            return c.existingFiles.count(file) > 0;
        };
        EXPECT_EQ(FindSystemInfoProgram(registry, exists), c.expected);
        EXPECT_EQ(registry.asked, c.expectedAsked);
        EXPECT_EQ(checked, c.expectedChecked);
    }
}

}  // namespace
}  // namespace sondrel
