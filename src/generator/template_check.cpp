#include "generator/template_check.h"

#include <algorithm>
#include <optional>

#include "generator/marker_search.h"
#include "generator/sections.h"
#include "generator/template_language.h"

namespace sondrel {

namespace {
char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
bool IsNameChar(char c) { return (Upper(c) >= 'A' && Upper(c) <= 'Z') || c == '-'; }

std::string Upper(std::string_view text)
{
    std::string upper(text);
    std::transform(upper.begin(), upper.end(), upper.begin(), [](char c) { return Upper(c); });
    return upper;
}

// Edits (insert, delete, change one character) from a to b.
std::size_t Distance(std::string_view a, std::string_view b)
{
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

// "; did you mean X?" for the known name nearest to name, when one is near.
// Names are compared without their markup ("##", "(#IF"), which is put back
// around the one suggested.
std::string Suggestion(std::string_view name, const std::vector<std::string_view>& known,
                       std::string_view prefix = "", std::string_view suffix = "")
{
    std::optional<std::string_view> best;
    std::size_t bestDistance = std::max<std::size_t>(1, name.size() / 4) + 1;
    for (const std::string_view candidate : known) {
        const std::size_t distance = Distance(Upper(name), candidate);
        if (distance < bestDistance) {
            best = candidate;
            bestDistance = distance;
        }
    }
    return best ? "; did you mean " + std::string(prefix) + std::string(*best) + std::string(suffix) + "?" : "";
}

bool Contains(const std::vector<std::string_view>& names, std::string_view name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

class TemplateChecker {
public:
    explicit TemplateChecker(std::string_view text) : text_(text)
    {
        lineStarts_.push_back(0);
        for (std::size_t at = text.find('\n'); at != std::string_view::npos; at = text.find('\n', at + 1))
            lineStarts_.push_back(at + 1);
        const std::size_t start = FindIgnoringCase(text, "<!-- TRACK-START -->", 0);
        const std::size_t end = start == std::string_view::npos ? start : FindIgnoringCase(text, "<!-- TRACK-END -->", start);
        trackSection_ = {start, end};
    }

    std::vector<TemplateDiagnostic> Run()
    {
        CheckPlaceholders();
        CheckSections();
        CheckConditions();
        std::stable_sort(found_.begin(), found_.end(), [](const auto& a, const auto& b) {
            return a.Line != b.Line ? a.Line < b.Line : a.Column < b.Column;
        });
        return std::move(found_);
    }

private:
    void Warn(std::size_t at, std::string message)
    {
        const auto line = std::upper_bound(lineStarts_.begin(), lineStarts_.end(), at) - 1;
        found_.push_back({static_cast<int>(line - lineStarts_.begin() + 1), static_cast<int>(at - *line + 1),
                          std::move(message)});
    }

    bool InTrackSection(std::size_t at) const
    {
        return trackSection_.first != std::string_view::npos && at > trackSection_.first &&
               (trackSection_.second == std::string_view::npos || at < trackSection_.second);
    }

    // 0 in the head, 1 in the track section, 2 in the tail: each is expanded on its own.
    int PartAt(std::size_t at) const
    {
        return InTrackSection(at) ? 1 : trackSection_.first == std::string_view::npos || at <= trackSection_.first ? 0 : 2;
    }

    std::string_view NameAt(std::size_t at) const
    {
        std::size_t end = at;
        while (end < text_.size() && IsNameChar(text_[end]))
            ++end;
        return text_.substr(at, end - at);
    }

    void CheckPlaceholders()
    {
        const std::vector<std::string_view> known = PlaceholderNames();
        std::vector<std::string_view> bare;
        for (const std::string_view name : known)
            bare.push_back(name.substr(2, name.size() - 4));
        for (std::size_t at = text_.find("##"); at != std::string_view::npos; at = text_.find("##", at + 1)) {
            const std::string_view name = NameAt(at + 2);
            if (name.empty() || text_.substr(at + 2 + name.size(), 2) != "##" || name == "ELSE")
                continue;
            const std::string token = "##" + Upper(name) + "##";
            if (!Contains(known, token))
                Warn(at, "unknown placeholder " + std::string(text_.substr(at, token.size())) +
                             Suggestion(name, bare, "##", "##"));
            at += token.size() - 1;
        }
    }

    void CheckSections()
    {
        const std::vector<std::string_view> known = SectionNames();
        std::vector<std::string> seen;  // with the part they stand in: head, track section or tail
        for (std::size_t at = text_.find("<!-- "); at != std::string_view::npos; at = text_.find("<!-- ", at + 1)) {
            const std::string_view name = NameAt(at + 5);
            const std::string upper = Upper(name);
            if (!upper.ends_with("-START") || text_.substr(at + 5 + name.size(), 4) != " -->")
                continue;
            const std::string section = upper.substr(0, upper.size() - 6);
            if (!Contains(known, section)) {
                Warn(at, "unknown section " + section + Suggestion(section, known));
                continue;
            }
            const std::string placed = section + (section == "TRACK" ? "" : "/" + std::to_string(PartAt(at)));
            CheckSection(at, section, std::count(seen.begin(), seen.end(), placed) > 0);
            seen.push_back(placed);
        }
    }

    void CheckSection(std::size_t at, const std::string& name, bool repeated)
    {
        const std::string end = "<!-- " + name + "-END -->";
        if (FindIgnoringCase(text_, end, at) == std::string_view::npos)
            Warn(at, "the " + name + " section is never closed: " + end + " is missing, so nothing is repeated");
        if (repeated)
            Warn(at, "a second " + name + " section is copied as it stands; only the first one is repeated");
        if (name == "TRACK")
            return;
        const auto section = std::find_if(Sections().begin(), Sections().end(), [&](auto& s) { return s.Name == name; });
        if (section == Sections().end())
            return;  // a section of a library's index, which has no track section
        if (section->Level == SectionLevel::Track && !InTrackSection(at))
            Warn(at, "the " + name + " section is repeated only inside the TRACK section");
        if (section->Level == SectionLevel::Document && InTrackSection(at))
            Warn(at, "the " + name + " section is repeated only outside the TRACK section");
    }

    void CheckConditions()
    {
        const std::vector<std::string_view> known = ConditionNames();
        for (std::size_t at = text_.find("(#IF"); at != std::string_view::npos; at = text_.find("(#IF", at + 1)) {
            const std::string_view rest = text_.substr(at + 4);
            const auto condition = std::find_if(known.begin(), known.end(), [&](auto n) { return rest.starts_with(n); });
            if (condition == known.end())
                Warn(at, "unknown condition (#IF" + std::string(NameAt(at + 4)) + Suggestion(NameAt(at + 4), known, "(#IF"));
            else if (rest.find("##ELSE") == std::string_view::npos || rest.find("##END-IF#)") == std::string_view::npos)
                Warn(at, "this conditional block has no ##ELSE or no ##END-IF#) after it");
            if (!InTrackSection(at))
                Warn(at, "conditional blocks are decided only inside the TRACK section");
        }
    }

    std::string_view text_;
    std::vector<std::size_t> lineStarts_;
    std::pair<std::size_t, std::size_t> trackSection_;
    std::vector<TemplateDiagnostic> found_;
};
}  // namespace

std::vector<TemplateDiagnostic> CheckTemplate(std::string_view text)
{
    return TemplateChecker(text).Run();
}

}  // namespace sondrel
