#pragma once

#include <filesystem>
#include <system_error>
#include <vector>

// The real REAPER projects kept beside the project (../shared/corpus). A
// checkout without them still builds and tests; the tests that read them
// say that they were skipped.
#define SONDREL_REQUIRE_CORPUS()                                                                    \
    if (!std::filesystem::is_directory(SONDREL_CORPUS_DIR))                                         \
    GTEST_SKIP() << "the corpus of real projects is not at " SONDREL_CORPUS_DIR

namespace sondrel::testing {

// The corpus's files, none when it is missing.
inline std::vector<std::filesystem::directory_entry> CorpusEntries()
{
    std::error_code missing;
    return {std::filesystem::directory_iterator(SONDREL_CORPUS_DIR, missing), {}};
}

}  // namespace sondrel::testing
