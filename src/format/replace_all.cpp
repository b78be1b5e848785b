#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "format/document_size.h"
#include "format/text_ops.h"

// Replacing the first occurrence and then searching again from the very start
// would be quadratic. The same result comes from streaming the text into the
// output: the output never holds an occurrence, so the leftmost occurrence of
// the whole working text is the one that ends first, and it is found by
// feeding characters one at a time through a matcher. A replacement is fed
// through the matcher again (it may form a new occurrence with the output
// before it or the text after it); stretches that cannot start an occurrence
// are copied in bulk.

namespace sondrel {

namespace {

constexpr char FoldCase(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Knuth-Morris-Pratt over the key with ASCII letters folded: the state is
// the length of the longest start of the key that the fed text ends with.
class KeyMatcher {
public:
    explicit KeyMatcher(std::string_view key)
        : key_(key.size(), '\0'), fallback_(key.size(), 0)
    {
        for (std::size_t n = 0; n < key.size(); ++n)
            key_[n] = FoldCase(key[n]);
        std::size_t state = 0;
        for (std::size_t n = 1; n < key_.size(); ++n) {
            state = Step(state, key_[n]);
            fallback_[n] = state;
        }
    }

    std::size_t Length() const { return key_.size(); }

    // Whether c can stand at this offset of an occurrence.
    bool Fits(std::size_t offset, char c) const { return key_[offset] == FoldCase(c); }

    // The state after one more character; Length() means a whole occurrence.
    std::size_t Step(std::size_t state, char c) const
    {
        const char folded = FoldCase(c);
        while (state > 0 && key_[state] != folded)
            state = fallback_[state - 1];
        return key_[state] == folded ? state + 1 : 0;
    }

    // The state for a text that ends with tail and holds no occurrence.
    std::size_t StateAfter(std::string_view tail) const
    {
        if (tail.size() >= key_.size())
            tail.remove_prefix(tail.size() - (key_.size() - 1));
        std::size_t state = 0;
        for (char c : tail)
            state = Step(state, c);
        return state;
    }

private:
    std::string key_;
    std::vector<std::size_t> fallback_;
};

// Finds the next character that can start an occurrence: the key's first
// character in either letter case. Remembers the next position of each case
// so that a text full of one case is not scanned again for the other.
class StartFinder {
public:
    StartFinder(std::string_view text, char first)
        : text_(text), lower_(FoldCase(first)), upper_(UpperCase(lower_))
    {
    }

    std::size_t Next(std::size_t from)
    {
        nextLower_ = Refresh(nextLower_, from, lower_);
        if (upper_ == lower_)
            return nextLower_;
        nextUpper_ = Refresh(nextUpper_, from, upper_);
        return std::min(nextLower_, nextUpper_);
    }

private:
    static char UpperCase(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

    std::size_t Refresh(std::size_t known, std::size_t from, char wanted) const
    {
        if (known != Unknown && known >= from)
            return known;
        const void* found = std::memchr(text_.data() + from, wanted, text_.size() - from);
        return found == nullptr ? text_.size() : static_cast<std::size_t>(static_cast<const char*>(found) - text_.data());
    }

    static constexpr std::size_t Unknown = static_cast<std::size_t>(-1);
    std::string_view text_;
    char lower_;
    char upper_;
    std::size_t nextLower_ = Unknown;
    std::size_t nextUpper_ = Unknown;
};

class Replacer {
public:
    Replacer(std::string_view text, std::string_view key, std::string_view replacement)
        : text_(text), replacement_(replacement), matcher_(key), starts_(text, key.front()),
          // A replacement shorter than the key shortens the text at every
          // pass, so searching through it again always ends. A longer one
          // could meet the text around it to form the key again and again
          // without end, so the search goes on after it instead.
          searchReplacement_(replacement.size() < key.size())
    {
        output_.reserve(text.size());
    }

    std::string Run()
    {
        while (true) {
            if (!pending_.empty())
                FeedFromReplacement();
            else if (position_ < text_.size())
                FeedFromText();
            else
                return std::move(output_);
        }
    }

private:
    void FeedFromReplacement()
    {
        std::size_t& offset = pending_.back();
        if (offset == replacement_.size()) {
            pending_.pop_back();
            return;
        }
        const char c = replacement_[offset++];
        Feed(c);
    }

    void FeedFromText()
    {
        if (state_ == 0) {
            // Nothing at the end of the output can grow into an occurrence:
            // copy up to the next place where one can start.
            const std::size_t start = NextPossibleStart();
            output_.append(text_.substr(position_, start - position_));
            position_ = start;
            if (position_ == text_.size())
                return;
        }
        Feed(text_[position_++]);
    }

    // The first position from position_ on where the text could hold an
    // occurrence: its first, second and last characters fit the key. The
    // end of the text when there is none.
    std::size_t NextPossibleStart()
    {
        const std::size_t length = matcher_.Length();
        for (std::size_t start = starts_.Next(position_); start < text_.size(); start = starts_.Next(start + 1)) {
            if (text_.size() - start < length)
                break;
            if (matcher_.Fits(length - 1, text_[start + length - 1]) && (length < 2 || matcher_.Fits(1, text_[start + 1])))
                return start;
        }
        return text_.size();
    }

    void Feed(char c)
    {
        output_.push_back(c);
        state_ = matcher_.Step(state_, c);
        if (state_ < matcher_.Length())
            return;
        output_.resize(output_.size() - matcher_.Length());
        if (searchReplacement_) {
            state_ = matcher_.StateAfter(output_);
            if (!replacement_.empty())
                pending_.push_back(0);
        } else {
            CheckDocumentSize(output_.size() + replacement_.size());
            output_.append(replacement_);
            state_ = 0;
        }
    }

    std::string_view text_;
    std::string_view replacement_;
    KeyMatcher matcher_;
    StartFinder starts_;
    bool searchReplacement_;
    std::string output_;
    std::size_t position_ = 0;  // next character of text_ to feed
    std::size_t state_ = 0;     // the matcher's state at the end of output_
    // Replacements still to be fed, innermost last, each with the offset of
    // its next character; they come before the rest of text_.
    std::vector<std::size_t> pending_;
};

}  // namespace

std::string ReplaceAll(std::string_view text, std::string_view key, std::string_view replacement)
{
    if (key.empty())
        return std::string(text);
    return Replacer(text, key, replacement).Run();
}

bool SameIgnoringCase(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) { return FoldCase(x) == FoldCase(y); });
}

}  // namespace sondrel
