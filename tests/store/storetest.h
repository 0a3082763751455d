// Helpers of the store tests: a private temporary folder per test, whole-file
// reads and writes, and field tuples that make records comparable and printable.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "memorysource.h"
#include "recordfields.h"
#include "tempfolder.h"
#include "store/records.h"

namespace orv::test {

inline void WriteFile(const std::string& path, const std::string& content)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
    ASSERT_TRUE(out.good()) << path;
}

inline std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The names in a folder, sub-folders with a trailing '/'.
inline std::set<std::string> Listing(const std::string& folder)
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.insert(entry.path().filename().string() + (entry.is_directory() ? "/" : ""));
    }
    return names;
}

// Joins lines with CR LF after each, as the program writes them.
inline std::string CrLf(std::initializer_list<std::string> lines)
{
    std::string out;
    for (const std::string& line : lines) out += line + "\r\n";
    return out;
}

}  // namespace orv::test
