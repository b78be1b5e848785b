#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace sondrel {

// Makes the value of the placeholder at index in the list it was asked for.
using ValueMaker = std::function<std::string(std::size_t index)>;

// Replaces each placeholder at every occurrence (any letter case), one after
// another in the order given, each working on the result of those before it:
// a value holding a later placeholder has that one replaced too. A value is
// made only when its placeholder is in the text at its turn.
std::string ReplaceInOrder(std::string_view text, const std::vector<std::string_view>& placeholders,
                           const ValueMaker& valueOf);

// A text that is filled many times with the same placeholders (a section body
// once per entry), cut once into literal pieces and placeholders. Filling it
// gives exactly what ReplaceInOrder gives and makes only the values of the
// placeholders the text holds. When no placeholder can form anew while the
// text is filled, the pieces are joined in one pass; otherwise, and for
// values that hold a "#", it falls back to ReplaceInOrder.
class SubstitutionPlan {
public:
    // The placeholders, in order: "##NAME##", the name of ASCII letters and "-".
    SubstitutionPlan(std::string_view text, std::vector<std::string_view> placeholders);

    void AppendFilled(std::string& out, const ValueMaker& valueOf) const;

    // Whether the text qualified for joining in one pass (for tests).
    bool JoinsInOnePass() const { return joinable_; }

private:
    struct Piece {
        std::string_view Literal;  // copied as it is
        int Slot;                  // then the value of this placeholder, or -1 for none
    };

    bool Cut();

    std::string_view text_;
    std::vector<std::string_view> placeholders_;
    std::vector<Piece> pieces_;
    std::vector<int> usedSlots_;  // each slot that some piece fills, once
    bool joinable_ = false;
};

}  // namespace sondrel
