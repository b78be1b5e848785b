#include "format/plugin_names.h"

#include <array>
#include <string_view>

namespace sondrel {

namespace {
constexpr std::array<std::string_view, 13> kFormats{"VST", "VSTi", "VST3", "VST3i", "AU",   "AUi", "JS",
                                                    "CLAP", "CLAPi", "LV2", "LV2i", "DX", "DXi"};

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

// The format a name begins with, "VST3i" in "VST3i: Vital", or "".
std::string_view FormatPrefix(std::string_view name)
{
    const std::size_t colon = name.find(": ");
    if (colon == std::string_view::npos)
        return {};
    const std::string_view prefix = name.substr(0, colon);
    for (const std::string_view format : kFormats)
        if (prefix == format)
            return format;
    return {};
}

// Splits "Name (Vendor) (notes)" at its trailing brackets: the name, and the
// first bracket's text as the vendor.
void SplitTrailingBrackets(std::string_view text, PluginIdentity& identity)
{
    std::string_view rest = Trim(text);
    std::string_view vendor;
    while (rest.ends_with(')')) {
        int level = 0;
        std::size_t open = rest.size();
        for (std::size_t at = rest.size(); at-- > 0;) {
            level += rest[at] == ')' ? 1 : rest[at] == '(' ? -1 : 0;
            if (level == 0) {
                open = at;
                break;
            }
        }
        if (open == rest.size() || open == 0)
            break;
        vendor = rest.substr(open + 1, rest.size() - open - 2);
        rest = Trim(rest.substr(0, open));
    }
    identity.Name = std::string(rest);
    identity.Vendor = std::string(vendor);
}
}  // namespace

PluginIdentity IdentifyPlugin(const FxRecord& fx)
{
    PluginIdentity identity;
    const std::string_view prefix = FormatPrefix(fx.Name);
    if (!prefix.empty())
        identity.Format = std::string(prefix);
    else if (fx.FxType == "VIDEO_EFFECT")
        identity.Format = "Video";
    else
        identity.Format = fx.FxType;
    const std::string_view name = prefix.empty() ? std::string_view(fx.Name) : std::string_view(fx.Name).substr(prefix.size() + 2);
    SplitTrailingBrackets(name, identity);
    if (identity.Vendor.empty() && identity.Format.starts_with("AU")) {
        if (const std::size_t colon = identity.Name.find(": "); colon != std::string::npos) {
            identity.Vendor = identity.Name.substr(0, colon);
            identity.Name = identity.Name.substr(colon + 2);
        }
    }
    return identity;
}

}  // namespace sondrel
