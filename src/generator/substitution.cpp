#include "generator/substitution.h"

#include <algorithm>

#include "format/document_size.h"
#include "format/text_ops.h"
#include "generator/marker_search.h"

namespace sondrel {

namespace {
bool IsNameChar(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '-';
}

std::size_t RunOfHashes(std::string_view text, std::size_t at)
{
    std::size_t end = at;
    while (end < text.size() && text[end] == '#')
        ++end;
    return end - at;
}
}  // namespace

std::string ReplaceInOrder(std::string_view text, const std::vector<std::string_view>& placeholders,
                           const ValueMaker& valueOf)
{
    std::string result(text);
    for (std::size_t index = 0; index < placeholders.size(); ++index) {
        if (FindIgnoringCase(result, placeholders[index], 0) != std::string::npos)
            result = ReplaceAll(result, placeholders[index], valueOf(index));
    }
    return result;
}

SubstitutionPlan::SubstitutionPlan(std::string_view text, std::vector<std::string_view> placeholders)
    : text_(text), placeholders_(std::move(placeholders))
{
    joinable_ = Cut();
    for (const Piece& piece : pieces_)
        if (piece.Slot >= 0 && std::find(usedSlots_.begin(), usedSlots_.end(), piece.Slot) == usedSlots_.end())
            usedSlots_.push_back(piece.Slot);
}

// Cuts the text at every "##name##" token. The one-pass join matches
// replacing in order only when no placeholder can form anew as values go in;
// that holds when
//  - every "##" in the text opens or closes a token (a lone "#" is harmless,
//    longer runs are not), so that the only "##" pairs are the tokens' own;
//  - the text between two tokens holds a character that no name holds, so
//    that the closing "##" of one token, what lies between, and the opening
//    "##" of the next can never read as a placeholder, whatever the values;
//  - no value holds "##" (checked per fill). A lone "#" at a value's edge
//    cannot pair with the text beside it: the first rule leaves no "#"
//    next to a token.
bool SubstitutionPlan::Cut()
{
    for (const std::string_view placeholder : placeholders_) {
        if (placeholder.size() < 5 || placeholder.substr(0, 2) != "##" ||
            placeholder.substr(placeholder.size() - 2) != "##" ||
            !std::all_of(placeholder.begin() + 2, placeholder.end() - 2, IsNameChar))
            return false;
    }
    std::size_t literalStart = 0;
    bool afterToken = false;
    for (std::size_t at = text_.find('#'); at != std::string_view::npos; at = text_.find('#', at)) {
        const std::size_t run = RunOfHashes(text_, at);
        if (run == 1) {
            ++at;
            continue;
        }
        std::size_t nameEnd = at + 2;
        while (nameEnd < text_.size() && IsNameChar(text_[nameEnd]))
            ++nameEnd;
        if (nameEnd == at + 2 || RunOfHashes(text_, nameEnd) != 2)
            return false;
        const std::string_view between = text_.substr(literalStart, at - literalStart);
        if (afterToken && std::all_of(between.begin(), between.end(), IsNameChar))
            return false;
        const std::string_view token = text_.substr(at, nameEnd + 2 - at);
        const auto found = std::find_if(placeholders_.begin(), placeholders_.end(),
                                        [&](std::string_view placeholder) { return SameIgnoringCase(placeholder, token); });
        if (found == placeholders_.end()) {
            // Another kind's placeholder stays as it is, as text.
            pieces_.push_back({text_.substr(literalStart, nameEnd + 2 - literalStart), -1});
        } else {
            pieces_.push_back({between, static_cast<int>(found - placeholders_.begin())});
        }
        literalStart = nameEnd + 2;
        afterToken = true;
        at = literalStart;
    }
    pieces_.push_back({text_.substr(literalStart), -1});
    return true;
}

void SubstitutionPlan::AppendFilled(std::string& out, const ValueMaker& valueOf) const
{
    std::vector<std::string> values(placeholders_.size());
    std::vector<char> made(placeholders_.size(), 0);
    bool valuesPlain = joinable_;
    for (std::size_t used = 0; valuesPlain && used < usedSlots_.size(); ++used) {
        const auto slot = static_cast<std::size_t>(usedSlots_[used]);
        values[slot] = valueOf(slot);
        made[slot] = 1;
        valuesPlain = values[slot].find("##") == std::string::npos;
    }
    if (!valuesPlain) {
        const auto madeOrNew = [&](std::size_t slot) { return made[slot] ? values[slot] : valueOf(slot); };
        out += ReplaceInOrder(text_, placeholders_, madeOrNew);
        CheckDocumentSize(out.size());
        return;
    }
    // Measured before anything is appended, so that an oversized document
    // fails before it takes the memory.
    std::size_t filledSize = out.size();
    for (const Piece& piece : pieces_)
        filledSize += piece.Literal.size() + (piece.Slot >= 0 ? values[static_cast<std::size_t>(piece.Slot)].size() : 0);
    CheckDocumentSize(filledSize);
    for (const Piece& piece : pieces_) {
        out += piece.Literal;
        if (piece.Slot >= 0)
            out += values[static_cast<std::size_t>(piece.Slot)];
    }
}

}  // namespace sondrel
