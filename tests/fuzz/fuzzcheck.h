// What every fuzz target needs: the input as text, and a failure that stops
// the run with its reason, so that the fuzzer keeps the input as a crash file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace orv::fuzz {

inline std::string_view Text(const std::uint8_t* data, std::size_t size)
{
    return {reinterpret_cast<const char*>(data), size};
}

[[noreturn]] inline void Fail(const char* what)
{
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

inline void Check(bool condition, const char* what)
{
    if (!condition) Fail(what);
}

inline bool IsOneLine(std::string_view s) { return s.find_first_of("\r\n") == std::string_view::npos; }

}  // namespace orv::fuzz
