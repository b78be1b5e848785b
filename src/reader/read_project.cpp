#include "reader/read_project.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "format/file_paths.h"
#include "format/file_kind.h"
#include "model/file_error.h"
#include "reader/line_source.h"
#include "reader/project_parser.h"

namespace sondrel {

namespace {

// A NUL byte near the start marks a binary file (an image, an archive, a
// compiled program): no text file holds one.
constexpr std::size_t kBinaryCheckLength = std::size_t{64} << 10;

void RejectBinary(std::string_view line, std::size_t& checked, const LineSource& lines, const std::string& path)
{
    if (checked >= kBinaryCheckLength)
        return;
    const std::size_t length = std::min(line.size(), kBinaryCheckLength - checked);
    if (line.substr(0, length).find('\0') != std::string_view::npos)
        throw FileError(path, lines.LineNumber(), "the file is not a REAPER project: it holds binary data");
    checked += line.size() + 1;
}

void ReadLines(ProjectModel& model, LineSource& lines, const std::string& path)
{
    ProjectParser parser(model, path);
    std::string_view line;
    if (!lines.Next(line))
        throw FileError(path, 0, "the file is empty");
    std::size_t checked = 0;
    do {
        RejectBinary(line, checked, lines, path);
        parser.ReadLine(line, lines.LineNumber());
    } while (lines.Next(line));
    parser.Finish();
}

}  // namespace

void ReadProject(ProjectModel& model, const std::string& path)
{
    model.Clear();
    RequireOrdinaryFile(path);
    FileHandle file = OpenForReading(path);
    if (!file) {
        const int error = errno;
        throw FileError(path, 0, SystemReason("cannot open the file", error));
    }
    // The reader keeps its own chunk buffer; a second one would only copy.
    std::setvbuf(file.get(), nullptr, _IONBF, 0);
    LineSource lines(file.get(), path);
    ReadLines(model, lines, path);
}

void ReadProjectText(ProjectModel& model, std::string_view text, const std::string& path)
{
    model.Clear();
    LineSource lines(text, path);
    ReadLines(model, lines, path);
}

}  // namespace sondrel
