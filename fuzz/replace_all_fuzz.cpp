// ReplaceAll on arbitrary text, key and replacement. The first two bytes give
// the key's and the replacement's lengths, the next bytes are the key and the
// replacement, the rest is the text. Every call must end (the fuzzer's time
// limit catches one that does not), its result must stay within the size that
// the replacements allow, and small cases must agree with the slow rule.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "../tests/format/replace_reference.h"
#include "format/text_ops.h"

namespace {

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t keyLength = 1 + data[0] % 32;
    const std::size_t replacementLength = data[1] % 48;
    input.remove_prefix(2);
    if (input.size() < keyLength + replacementLength)
        return 0;
    const std::string_view key = input.substr(0, keyLength);
    const std::string_view replacement = input.substr(keyLength, replacementLength);
    const std::string_view text = input.substr(keyLength + replacementLength);

    const std::string result = sondrel::ReplaceAll(text, key, replacement);

    // Every replacement consumes a whole occurrence: one shorter than the key
    // shrinks the text, a longer one is inserted at most once per key length.
    if (replacement.size() < key.size())
        Require(result.size() <= text.size());
    else
        Require(result.size() <= text.size() + text.size() / key.size() * (replacement.size() - key.size()));

    if (text.size() <= 512)
        Require(result == sondrel::testing_reference::ReplaceAllByRepeatedSearch(text, key, replacement));
    return 0;
}
