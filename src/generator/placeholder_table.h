#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "generator/expand_template.h"
#include "generator/substitution.h"

namespace sondrel {

// One entry of a level as its placeholders see it: the generation context,
// the entry's 1-based number, its record and, below the track level, the
// number of the track it belongs to.
template <class Record>
struct Entry {
    const GenerationContext& Context;
    int Number;
    const Record& Of;
    int Track = 0;
};

// What of a value stays markup when values are escaped for HTML: the
// separator between a summary list's entries, the "<br>" between lines.
enum class KeptMarkup { None, ListSeparator, LineBreaks };

// One placeholder of a level: its name ("##TRACK-NAME##") and how its value
// is made from one entry. A level's table lists them in replacement order.
template <class Record>
struct Placeholder {
    std::string_view Name;
    std::string (*Value)(const Entry<Record>&);
    KeptMarkup Kept = KeptMarkup::None;
};

template <class Record>
using PlaceholderTable = std::span<const Placeholder<Record>>;

// The value as inserted: escaped for HTML when the template asks for it.
std::string InsertedValue(std::string value, KeptMarkup kept, const GenerationContext& context);

template <class Record>
std::vector<std::string_view> NamesOf(PlaceholderTable<Record> table)
{
    std::vector<std::string_view> names;
    for (const Placeholder<Record>& row : table)
        names.push_back(row.Name);
    return names;
}

// A text filled from one level's table, once per entry: the text is cut
// into pieces once, and each value is made only when the text uses it.
template <class Record>
class TableFiller {
public:
    TableFiller(std::string_view text, PlaceholderTable<Record> table) : table_(table), plan_(text, NamesOf(table)) {}

    void Append(std::string& out, const Entry<Record>& entry) const
    {
        plan_.AppendFilled(out, [&](std::size_t index) {
            const Placeholder<Record>& row = table_[index];
            return InsertedValue(row.Value(entry), row.Kept, entry.Context);
        });
    }

private:
    PlaceholderTable<Record> table_;
    SubstitutionPlan plan_;
};

// A placeholder's value that is the entry's number.
inline std::string EntryNumber(const auto& entry) { return std::to_string(entry.Number); }

// The body once per record, numbered from 1, each copy filled from the table.
template <class Record>
void AppendEach(std::string& out, std::string_view body, PlaceholderTable<Record> table,
                const std::vector<Record>& records, const GenerationContext& context, int track = 0)
{
    const TableFiller<Record> filler(body, table);
    out.reserve(out.size() + body.size() * records.size());  // one copy of a long list, not one per doubling
    for (std::size_t n = 0; n < records.size(); ++n)
        filler.Append(out, {context, static_cast<int>(n + 1), records[n], track});
}

// The same over records held elsewhere.
template <class Record>
void AppendEach(std::string& out, std::string_view body, PlaceholderTable<Record> table,
                const std::vector<const Record*>& records, const GenerationContext& context, int track = 0)
{
    const TableFiller<Record> filler(body, table);
    out.reserve(out.size() + body.size() * records.size());
    for (std::size_t n = 0; n < records.size(); ++n)
        filler.Append(out, {context, static_cast<int>(n + 1), *records[n], track});
}

}  // namespace sondrel
