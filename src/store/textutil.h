// Small text and file helpers shared by the file readers and writers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

// A decimal integer: an optional sign and ASCII digits, within 32 bits. Blanks,
// "1.5", "1a" and hex are not integers.
std::optional<std::int32_t> ParseInt32(std::string_view text);

// "'%s' is not a valid integer value" for a text that should have been a number.
std::string NotAnIntegerMessage(std::string_view text);

// Splits text into lines at CR LF, LF and a lone CR. A final line break does not
// start another line; an empty text has no lines.
std::vector<std::string_view> SplitLines(std::string_view text);

// The outcome of a file operation: ok, or the message to show.
struct FileResult {
    bool ok = true;
    std::string message;
    static FileResult Ok() { return {}; }
    static FileResult Error(std::string m) { return {false, std::move(m)}; }
};

// Reads a whole file. Missing files are reported through `exists`.
struct ReadResult {
    bool exists = false;
    FileResult result;
    std::string content;
};
ReadResult ReadWholeFile(const std::string& path);

// Writes `content` to a temporary file beside `path` and renames it over `path`,
// so that a crash mid-write never leaves a truncated file.
FileResult WriteFileAtomic(const std::string& path, std::string_view content);

bool FileExists(const std::string& path);

// "I/O error %d" style text for an errno value, with the system's own words.
std::string IoErrorText(int err, const std::string& path);

}  // namespace orv
