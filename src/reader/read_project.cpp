#include "reader/read_project.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "model/file_error.h"
#include "reader/line_source.h"
#include "reader/project_parser.h"

namespace sondrel {

namespace {

void ReadLines(ProjectModel& model, LineSource& lines, const std::string& path)
{
    ProjectParser parser(model, path);
    std::string_view line;
    if (!lines.Next(line))
        throw FileError(path, 0, "the file is empty");
    do {
        parser.ReadLine(line, lines.LineNumber());
    } while (lines.Next(line));
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

void ReadProject(ProjectModel& model, const std::string& path)
{
    model.Clear();
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        const int error = errno;
        throw FileError(path, 0, std::string("cannot open the file (") + std::strerror(error) + ")");
    }
    // The reader keeps its own chunk buffer; a second one would only copy.
    std::setvbuf(file.get(), nullptr, _IONBF, 0);
    LineSource lines(file.get(), path);
    ReadLines(model, lines, path);
}

void ReadProjectText(ProjectModel& model, std::string_view text, const std::string& path)
{
    LineSource lines(text);
    ReadLines(model, lines, path);
}

}  // namespace sondrel
