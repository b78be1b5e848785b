#include "generator/substitution.h"

#include "format/text_ops.h"

namespace sondrel {

std::string ReplaceInOrder(std::string_view text, const std::vector<Substitution>& substitutions)
{
    std::string result(text);
    for (const Substitution& substitution : substitutions)
        result = ReplaceAll(result, substitution.Placeholder, substitution.Value);
    return result;
}

}  // namespace sondrel
