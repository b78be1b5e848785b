#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "reader/line_source.h"

namespace sondrel {
namespace {

std::vector<std::string> LinesOf(LineSource& source)
{
    std::vector<std::string> lines;
    std::string_view line;
    while (source.Next(line))
        lines.emplace_back(line);
    return lines;
}

std::vector<std::string> TextLines(const std::string& text)
{
    LineSource source(text);
    return LinesOf(source);
}

// The same text read from a file in chunks of chunkSize bytes, so that line
// ends fall on chunk boundaries at every position.
std::vector<std::string> FileLines(const std::string& text, std::size_t chunkSize)
{
    std::FILE* file = std::tmpfile();
    std::fwrite(text.data(), 1, text.size(), file);
    std::rewind(file);
    LineSource source(file, "test.rpp", chunkSize);
    std::vector<std::string> lines = LinesOf(source);
    std::fclose(file);
    return lines;
}

struct LineCase {
    const char* name;
    std::string text;
    std::vector<std::string> lines;
};

const std::vector<LineCase>& LineCases()
{
    static const std::vector<LineCase> cases = {
        {"line feeds", "a\nb\n", {"a", "b"}}, {"carriage returns", "a\rb\r", {"a", "b"}},
        {"both", "a\r\nb\r\n", {"a", "b"}},
        {"mixed", "a\r\nb\nc\rd", {"a", "b", "c", "d"}},
        {"last line without an end", "a\nlast", {"a", "last"}},
        {"empty lines kept", "\n\r\n\r", {"", "", ""}},
        {"carriage return then two line feeds", "a\r\n\nb", {"a", "", "b"}},
        {"line feed then carriage return is two ends", "a\n\rb", {"a", "", "b"}},
        {"nothing", "", {}}, {"a single end", "\n", {""}},
        {"spaces and tabs belong to the line", "  x \t\n", {"  x \t"}},
        {"bytes above 127 and zero bytes", std::string("\xd0\xa1\0z\n", 5), {std::string("\xd0\xa1\0z", 4)}},
    };
    return cases;
}

TEST(LineSource, CutsTextAtEveryKindOfLineEnd)
{
    for (const LineCase& c : LineCases())
        EXPECT_EQ(TextLines(c.text), c.lines) << c.name;
}

TEST(LineSource, FileInSmallChunksGivesTheSameLines)
{
    for (const LineCase& c : LineCases())
        for (std::size_t chunk : {1, 2, 3, 5, 64})
            EXPECT_EQ(FileLines(c.text, chunk), c.lines) << c.name << ", chunks of " << chunk;
}

TEST(LineSource, ReadsLinesLongerThanTheChunk)
{
    const std::string longLine(100000, 'x');
    const std::string text = "<A\r\n" + longLine + "\r\n>\r\n" + longLine;
    const std::vector<std::string> expected = {"<A", longLine, ">", longLine};
    EXPECT_EQ(FileLines(text, 4096), expected);
    EXPECT_EQ(TextLines(text), expected);
}

TEST(LineSource, NumbersLinesFromOneAtEveryKindOfLineEnd)
{
    LineSource source(std::string_view("a\r\nb\nc\rd\r\re"));
    std::string_view line;
    std::vector<long> numbers;
    while (source.Next(line))
        numbers.push_back(source.LineNumber());
    EXPECT_EQ(numbers, (std::vector<long>{1, 2, 3, 4, 5, 6}));
}

}  // namespace
}  // namespace sondrel
