#include "generator/conditional_blocks.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <queue>
#include <string_view>
#include <vector>

#include "generator/conditions.h"

namespace sondrel {

namespace {
constexpr std::string_view kIf = "(#IF";
constexpr std::string_view kElse = "##ELSE";
constexpr std::string_view kEndIf = "##END-IF#)";
constexpr std::size_t kLongestMarker = kEndIf.size();
constexpr std::string_view kInvalidBlockNote = "##Invalid If-Then-Else format## ";

// The track copy as a linked list of the characters still in it. Resolving a
// block unlinks its markers and the branch not taken, so no text is copied
// per block and the whole pass stays linear in the copy's size. Positions are
// indexes into the original text; the slot past its end is the list's anchor.
class LinkedText {
public:
    explicit LinkedText(std::string_view text)
        : text_(text), next_(text.size() + 1), prev_(text.size() + 1), present_(text.size(), 1)
    {
        const std::size_t anchor = End();
        for (std::size_t i = 0; i <= anchor; ++i) {
            next_[i] = i == anchor ? 0 : i + 1;
            prev_[i] = i == 0 ? anchor : i - 1;
        }
        if (text.empty())
            next_[anchor] = prev_[anchor] = anchor;
    }

    std::size_t End() const { return text_.size(); }
    char At(std::size_t at) const { return text_[at]; }
    std::size_t Next(std::size_t at) const { return next_[at]; }
    std::size_t Prev(std::size_t at) const { return prev_[at]; }

    // The character steps places after at, or End().
    std::size_t Advance(std::size_t at, std::size_t steps) const
    {
        for (; steps > 0 && at != End(); --steps)
            at = next_[at];
        return at;
    }

    // True when the characters still present from at onwards begin with word.
    bool Spells(std::size_t at, std::string_view word) const
    {
        if (at >= End() || !present_[at])
            return false;
        for (const char c : word) {
            if (at == End() || text_[at] != c)
                return false;
            at = next_[at];
        }
        return true;
    }

    // Removes the present characters from first through last, both included.
    void Unlink(std::size_t first, std::size_t last)
    {
        const std::size_t before = prev_[first];
        const std::size_t after = next_[last];
        for (std::size_t at = first;; at = next_[at]) {
            present_[at] = 0;
            if (at == last)
                break;
        }
        next_[before] = after;
        prev_[after] = before;
    }

    // Characters are never reordered, only unlinked, so the text left is the
    // runs of characters still present, in their original order.
    std::string Collect() const
    {
        std::string result;
        result.reserve(text_.size());
        const auto begin = present_.begin();
        auto run = std::find(begin, present_.end(), char{1});
        while (run != present_.end()) {
            const auto runEnd = std::find(run, present_.end(), char{0});
            result.append(text_.substr(static_cast<std::size_t>(run - begin), static_cast<std::size_t>(runEnd - run)));
            run = std::find(runEnd, present_.end(), char{1});
        }
        return result;
    }

private:
    std::string_view text_;
    std::vector<std::size_t> next_;
    std::vector<std::size_t> prev_;
    std::vector<char> present_;  // 1 while the character is in the text
};

// Where one marker may start: every occurrence of the original text, plus the
// places where a marker formed when a block's removal joined two pieces. A
// place that no longer spells the marker is dropped when met; should it
// spell it again later, the removal that makes it so adds it anew.
class MarkerPlaces {
public:
    MarkerPlaces(std::string_view text, std::string_view marker) : marker_(marker)
    {
        for (std::size_t at = text.find(marker); at != std::string_view::npos; at = text.find(marker, at + 1))
            places_.push(at);
    }

    std::string_view Marker() const { return marker_; }
    void Add(std::size_t at) { places_.push(at); }

    std::optional<std::size_t> First(const LinkedText& text)
    {
        while (!places_.empty()) {
            if (text.Spells(places_.top(), marker_))
                return places_.top();
            places_.pop();
        }
        return std::nullopt;
    }

private:
    std::string_view marker_;
    std::priority_queue<std::size_t, std::vector<std::size_t>, std::greater<>> places_;
};

class ConditionalPass {
public:
    ConditionalPass(std::string_view text, const TrackRecord& track)
        : text_(text), track_(track), markers_{MarkerPlaces(text, kIf), MarkerPlaces(text, kElse),
                                               MarkerPlaces(text, kEndIf)}
    {
    }

    std::string Run()
    {
        while (true) {
            const auto opening = markers_[0].First(text_);
            if (!opening)
                return text_.Collect();
            if (!ResolveBlockAt(*opening))
                return text_.Collect() + std::string(kInvalidBlockNote);
        }
    }

private:
    bool ResolveBlockAt(std::size_t opening)
    {
        const auto otherwise = markers_[1].First(text_);
        const auto closing = markers_[2].First(text_);
        if (!otherwise || !closing || !(opening < *otherwise && *otherwise < *closing))
            return false;
        const std::size_t nameStart = text_.Advance(opening, kIf.size());
        const Condition* condition = ConditionAt(nameStart);
        if (condition == nullptr)
            return false;
        if (condition->Holds(track_)) {
            Remove(opening, text_.Advance(nameStart, condition->Name.size() - 1));
            Remove(*otherwise, text_.Advance(*closing, kEndIf.size() - 1));
        } else {
            Remove(opening, text_.Advance(*otherwise, kElse.size() - 1));
            Remove(*closing, text_.Advance(*closing, kEndIf.size() - 1));
        }
        return true;
    }

    const Condition* ConditionAt(std::size_t at) const
    {
        for (const Condition& condition : Conditions())
            if (text_.Spells(at, condition.Name))
                return &condition;
        return nullptr;
    }

    // Unlinks first..last and notes every marker that now runs across the
    // join: such a marker starts at most kLongestMarker - 1 places before it.
    void Remove(std::size_t first, std::size_t last)
    {
        std::size_t candidate = text_.Prev(first);
        text_.Unlink(first, last);
        for (std::size_t i = 0; i < kLongestMarker - 1 && candidate != text_.End(); ++i) {
            for (MarkerPlaces& places : markers_) {
                if (text_.Spells(candidate, places.Marker()))
                    places.Add(candidate);
            }
            candidate = text_.Prev(candidate);
        }
    }

    LinkedText text_;
    const TrackRecord& track_;
    std::array<MarkerPlaces, 3> markers_;
};
}  // namespace

void ExpandConditionals(std::string& trackCopy, int track, const ProjectModel& model)
{
    // Nothing to do, and nothing to build, without an opening marker.
    if (trackCopy.find(kIf) == std::string::npos)
        return;
    trackCopy = ConditionalPass(trackCopy, model.Track(track)).Run();
}

}  // namespace sondrel
