#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <set>
#include <stdexcept>
#include <string>

namespace sondrel::testing {

// The system's path for a UTF-8 name, made the standard library's way rather
// than the program's, so that tests check the program against it.
inline std::filesystem::path NativeOf(const std::string& utf8) { return std::u8string(utf8.begin(), utf8.end()); }

inline std::string Utf8Of(const std::filesystem::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

// A fresh folder for one test, removed with everything in it afterwards.
// Paths are UTF-8 text, as the program takes them.
class TempFolder {
public:
    TempFolder()
    {
        std::random_device random;
        for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
            const auto candidate = std::filesystem::temp_directory_path() / ("sondrel-test-" + std::to_string(random()));
            if (std::filesystem::create_directory(candidate))
                path_ = Utf8Of(candidate);
        }
        if (path_.empty())
            throw std::runtime_error("cannot create a temporary folder");
    }
    ~TempFolder() { std::error_code ignored; std::filesystem::remove_all(NativeOf(path_), ignored); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string Path(const std::string& name) const { return Utf8Of(NativeOf(path_) / NativeOf(name)); }
    std::string Write(const std::string& name, const std::string& content) const
    {
        return std::ofstream(NativeOf(Path(name)), std::ios::binary) << content, Path(name);
    }
    // The names in the folder as the system lists them: shows a temporary
    // file left behind.
    std::set<std::string> Names() const
    {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(NativeOf(path_)))
            names.insert(Utf8Of(entry.path().filename()));
        return names;
    }
    static std::string Read(const std::string& path)
    {
        std::ifstream in(NativeOf(path), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

private:
    std::string path_;
};

}  // namespace sondrel::testing
