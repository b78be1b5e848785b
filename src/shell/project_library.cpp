#include "shell/project_library.h"

#include <algorithm>
#include <filesystem>
#include <set>
#include <system_error>

#include "format/file_paths.h"

namespace sondrel {

namespace {
namespace fs = std::filesystem;

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c); });
    return text;
}

bool IsProjectFile(const fs::directory_entry& entry)
{
    std::error_code ignored;
    return entry.is_regular_file(ignored) && Lower(Utf8Path(entry.path().extension())) == ".rpp";
}

// The same file named twice gives the same text: on Windows "\\" and "/"
// both separate, and letter case does not tell names apart.
std::string ComparablePath(std::string path)
{
#ifdef _WIN32
    std::replace(path.begin(), path.end(), '\\', '/');
    return Lower(std::move(path));
#else
    return path;
#endif
}

void AddFolder(const fs::path& folder, std::vector<std::string>& found)
{
    std::vector<std::string> here;
    std::error_code error;
    for (auto entry = fs::recursive_directory_iterator(folder, fs::directory_options::skip_permission_denied, error);
         !error && entry != fs::recursive_directory_iterator(); entry.increment(error)) {
        if (entry->is_directory(error) && entry->path().filename() == "Backups")
            entry.disable_recursion_pending();
        else if (IsProjectFile(*entry))
            here.push_back(Utf8Path(entry->path()));
    }
    std::sort(here.begin(), here.end());
    found.insert(found.end(), here.begin(), here.end());
}
}  // namespace

std::vector<std::string> FindProjects(const std::vector<std::string>& paths)
{
    std::vector<std::string> found;
    for (const std::string& path : paths) {
        if (fs::is_directory(StatusOf(path)))
            AddFolder(NativePath(path), found);
        else
            found.push_back(path);
    }
    std::set<std::string> seen;
    std::erase_if(found, [&](const std::string& path) { return !seen.insert(ComparablePath(path)).second; });
    return found;
}

std::vector<std::string> DocumentPaths(const std::vector<std::string>& projects, const std::string& outputFolder,
                                       const std::string& extension)
{
    std::vector<std::string> documents;
    std::set<std::string> taken;  // in lower case: the clash must not depend on the file system
    for (const std::string& project : projects) {
        const std::string stem = StemOf(project);
        std::string name = stem + extension;
        for (int n = 2; !taken.insert(Lower(name)).second; ++n)
            name = stem + "-" + std::to_string(n) + extension;
        documents.push_back(JoinPath(outputFolder, name));
    }
    return documents;
}

}  // namespace sondrel
