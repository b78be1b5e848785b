#pragma once

#include <cstdio>
#include <memory>

namespace sondrel {

// An open C file that is closed when its owner goes away, on every path out.
struct CloseFile {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, CloseFile>;

}  // namespace sondrel
