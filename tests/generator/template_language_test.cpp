// The template language's names, as the tables fill them, the help page
// documents them and the template check knows them.
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <set>

#include "generator/template_check.h"
#include "generator/template_language.h"
#include "shell/temp_folder.h"

namespace sondrel {
namespace {

using Names = std::set<std::string>;

Names Matches(const std::string& text, const std::string& pattern)
{
    Names found;
    const std::regex expression(pattern);
    for (auto match = std::sregex_iterator(text.begin(), text.end(), expression); match != std::sregex_iterator();
         ++match)
        found.insert((*match)[1]);
    return found;
}

Names Set(const std::vector<std::string_view>& names) { return {names.begin(), names.end()}; }

TEST(TemplateLanguage, TheHelpPageDocumentsEveryNameAndNoOther)
{
    const std::string help = testing::TempFolder::Read(SONDREL_SOURCE_DIR "/sondrel.htm");
    Names placeholders = Matches(help, "(##[A-Z][A-Z-]*##)");
    placeholders.erase("##ELSE##");  // in examples of an empty else-text
    EXPECT_EQ(placeholders, Set(PlaceholderNames()));
    EXPECT_EQ(Matches(help, "&lt;!-- ([A-Z-]+)-START --&gt;"), Set(SectionNames()));
    EXPECT_EQ(Matches(help, "\\(#IF(-[A-Z-]+)"), Set(ConditionNames()));
    // No condition may be the start of another, which would hide it.
    for (const std::string_view a : ConditionNames())
        for (const std::string_view b : ConditionNames())
            EXPECT_TRUE(a == b || !b.starts_with(a)) << a << " starts " << b;
}

// Each template with the warnings checking it gives, as "line:column message".
const std::pair<std::string, std::vector<std::string>> kChecks[] = {
    {"<!-- TRACK-START -->##Track-Name## ##VOLUME## (#IF-IS-MUTED x##ELSE##END-IF#)<!-- track-end -->", {}},
    {"##FILE-NAME##\n<!-- TRACK-START -->\n  ##TRACK-NMAE## ##A## ## #x## <!-- TRACK-END -->",
     {"3:3 unknown placeholder ##TRACK-NMAE##; did you mean ##TRACK-NAME##?", "3:18 unknown placeholder ##A##"}},
    {"<!-- TRACK-START -->(#IF-IS-MUTD x##ELSE##END-IF#)(#IF-IS-GROUP y##END-IF#)<!-- TRACK-END -->(#IF-IN-GROUP",
     {"1:21 unknown condition (#IF-IS-MUTD; did you mean (#IF-IS-MUTED?",
      "1:51 this conditional block has no ##ELSE or no ##END-IF#) after it",
      "1:94 this conditional block has no ##ELSE or no ##END-IF#) after it",
      "1:94 conditional blocks are decided only inside the TRACK section"}},
    {"<!-- FX-START --><!-- TRACK-START --><!-- ITEMS-START --><!-- FX-START --><!-- FX-END -->"
     "<!-- FX-START --><!-- TRACK-END --><!-- TRACK-START -->",
     {"1:1 the FX section is repeated only inside the TRACK section",
      "1:38 unknown section ITEMS; did you mean ITEM?",
      "1:90 the FX section is never closed: <!-- FX-END --> is missing, so nothing is repeated",
      "1:90 a second FX section is copied as it stands; only the first one is repeated",
      "1:125 the TRACK section is never closed: <!-- TRACK-END --> is missing, so nothing is repeated",
      "1:125 a second TRACK section is copied as it stands; only the first one is repeated"}},
};

TEST(CheckTemplate, FindsUnknownNamesUnclosedRepeatedAndMisplacedSectionsAndIncompleteBlocks)
{
    for (const auto& [text, expected] : kChecks) {
        std::vector<std::string> found;
        for (const TemplateDiagnostic& diagnostic : CheckTemplate(text))
            found.push_back(std::to_string(diagnostic.Line) + ":" + std::to_string(diagnostic.Column) + " " +
                            diagnostic.Message);
        EXPECT_EQ(found, expected) << text;
    }
}

}  // namespace
}  // namespace sondrel
