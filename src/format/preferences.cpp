#include "format/preferences.h"

#include <algorithm>

namespace sondrel {

namespace {
constexpr PreferenceChoice<std::string_view> kListSeparators[] = {
    {"<BR>", "<BR>"}, {"Space", " "}, {"Comma", ","}, {"Tab", "\t"}};
constexpr PreferenceChoice<DateTimeForm> kDateTimeForms[] = {{"Short", DateTimeForm::Short}, {"Long", DateTimeForm::Long}};

template <class Meaning>
Meaning MeaningOf(std::span<const PreferenceChoice<Meaning>> choices, std::string_view stored, Meaning other)
{
    const auto found = std::find_if(choices.begin(), choices.end(), [&](const auto& c) { return c.Stored == stored; });
    return found == choices.end() ? other : found->Means;
}
}  // namespace

std::span<const PreferenceChoice<std::string_view>> ListSeparatorChoices() { return kListSeparators; }
std::span<const PreferenceChoice<DateTimeForm>> DateTimeFormChoices() { return kDateTimeForms; }

std::string_view ListSeparatorOf(std::string_view stored)
{
    return MeaningOf(ListSeparatorChoices(), stored, OtherListSeparator);
}

DateTimeForm DateTimeFormOf(std::string_view stored)
{
    return MeaningOf(DateTimeFormChoices(), stored, DateTimeForm::Long);
}

}  // namespace sondrel
