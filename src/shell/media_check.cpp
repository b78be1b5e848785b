#include "shell/media_check.h"

#include <filesystem>
#include <map>
#include <string_view>
#include <system_error>

#include "format/file_paths.h"

namespace sondrel {

namespace {
namespace fs = std::filesystem;

bool IsNetworkPath(std::string_view path)
{
    return path.starts_with("\\\\") || path.starts_with("//");
}

// The last part of a path written on any platform.
std::string_view LastPartOfWrittenPath(std::string_view path)
{
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

bool IsFile(const fs::path& path)
{
    std::error_code ignored;
    return fs::is_regular_file(path, ignored);
}

// The system's path, or an empty one for a name that no file can have.
fs::path PathOf(const std::string& path)
{
    return NativePathIfValid(path).value_or(fs::path());
}

bool Found(const std::string& file, const fs::path& projectFolder, const fs::path& recordFolder)
{
    if (IsNetworkPath(file))
        return true;
    const fs::path written = PathOf(file);
    const fs::path name = PathOf(std::string(LastPartOfWrittenPath(file)));
    if (written.empty())
        return false;
    return (written.is_absolute() && IsFile(written)) || IsFile(projectFolder / written) ||
           (!name.empty() && (IsFile(projectFolder / name) || IsFile(recordFolder / name)));
}
}  // namespace

void MarkMissingMedia(ProjectModel& model)
{
    const fs::path projectFolder = PathOf(model.Info.SourcePath).parent_path();
    const fs::path recordFolder =
        IsNetworkPath(model.Info.RecordPath) ? projectFolder : projectFolder / PathOf(model.Info.RecordPath);
    std::map<std::string, bool> missing;  // each file looked for once
    for (TrackRecord& track : model.Tracks)
        for (ItemRecord& item : track.ItemTable) {
            const TakeRecord* take = item.Active();
            if (take == nullptr || take->File.empty())
                continue;
            auto [found, added] = missing.try_emplace(take->File, false);
            if (added)
                found->second = !Found(take->File, projectFolder, recordFolder);
            item.MediaMissing = found->second;
        }
}

}  // namespace sondrel
