#include "generator/template_language.h"

#include <algorithm>

#include "generator/conditions.h"
#include "generator/document_placeholders.h"
#include "generator/library_index.h"
#include "generator/sections.h"
#include "generator/track_placeholders.h"

namespace sondrel {

namespace {
template <class Record>
void AddNames(std::vector<std::string_view>& names, PlaceholderTable<Record> table)
{
    for (const Placeholder<Record>& row : table)
        names.push_back(row.Name);
}
}  // namespace

std::vector<std::string_view> PlaceholderNames()
{
    std::vector<std::string_view> names;
    AddNames(names, DocumentPlaceholders());
    AddNames(names, TrackPlaceholders());
    std::vector<std::string_view> others = IndexPlaceholderNames();
    for (const Section& section : Sections())
        for (const std::string_view name : section.Placeholders())
            others.push_back(name);
    for (const std::string_view name : others)
        if (std::find(names.begin(), names.end(), name) == names.end())  // the master's FX share the FX names
            names.push_back(name);
    return names;
}

std::vector<std::string_view> SectionNames()
{
    std::vector<std::string_view> names{"TRACK"};
    for (const Section& section : Sections())
        names.push_back(section.Name);
    for (const std::string_view name : IndexSectionNames())
        names.push_back(name);
    return names;
}

std::vector<std::string_view> ConditionNames()
{
    std::vector<std::string_view> names;
    for (const Condition& condition : Conditions())
        names.push_back(condition.Name);
    return names;
}

}  // namespace sondrel
