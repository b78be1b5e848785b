#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace sondrel {

// One placeholder and the text that replaces it.
struct Substitution {
    std::string_view Placeholder;
    std::string Value;
};

// Replaces each placeholder at every occurrence (any letter case), one after
// another in the order given, each working on the result of those before it:
// a value holding a later placeholder has that one replaced too.
std::string ReplaceInOrder(std::string_view text, const std::vector<Substitution>& substitutions);

// Escapes every value for HTML. The values of the placeholders named in
// joined keep each occurrence of joiner as markup: a summary list keeps the
// separator between its entries, the notes the "<br>" between their lines.
void EscapeValuesForHtml(std::vector<Substitution>& values, std::string_view joiner = {},
                         std::initializer_list<std::string_view> joined = {});

// A text that is filled many times with the same placeholders (a section body
// once per entry), cut once into literal pieces and placeholders. Filling it
// gives exactly what ReplaceInOrder gives. When no placeholder can form anew
// while the text is filled, the pieces are joined in one pass; otherwise, and
// for values that hold a "#", it falls back to ReplaceInOrder.
class SubstitutionPlan {
public:
    // Takes the placeholders, in order, from substitutions ("##NAME##", the
    // name of ASCII letters and "-"); their values do not matter here.
    SubstitutionPlan(std::string_view text, const std::vector<Substitution>& substitutions);

    // Appends the text filled with substitutions. Substitutions with other
    // placeholders than the constructor's are applied the slow way.
    void AppendFilled(std::string& out, const std::vector<Substitution>& substitutions) const;

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
    bool joinable_ = false;
};

}  // namespace sondrel
