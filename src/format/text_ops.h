#pragma once

#include <string>
#include <string_view>

namespace sondrel {

// Every occurrence of key (never empty), found without regard to ASCII letter
// case, replaced by replacement. An occurrence that only forms when a
// replacement joins the text around it is replaced too; a replacement that
// itself contains the key is not searched again, so the call always ends.
// Linear in the size of text and result.
std::string ReplaceAll(std::string_view text, std::string_view key, std::string_view replacement);

// Whether the two texts are the same but for the letter case of ASCII letters.
bool SameIgnoringCase(std::string_view a, std::string_view b);

// True when an ordinary file (not a directory) exists at path.
bool FileExists(const std::string& path);

// The file's bytes exactly as stored: no byte-order mark or line-end handling.
// Throws FileError when the file cannot be opened or read.
std::string ReadTextFile(const std::string& path);

// Replaces the file's content with text, byte for byte, through a temporary
// file beside it that is renamed over it once it is on disk: a failure or a
// power cut leaves the old file whole. A file that did not exist appears
// only when complete, but is not waited for on disk. Keeps an existing
// file's permissions; a symbolic link keeps pointing at the file it names,
// which is the one replaced. Throws FileError on failure.
void WriteTextFile(std::string_view text, const std::string& path);

}  // namespace sondrel
