// A text in memory as the readers that take a file a stretch at a time see it.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "store/dataformat.h"

namespace orv::test {

// `text` as a file read a stretch at a time, at most `most` bytes per read as
// a short read gives them; from `failAt` on every read fails.
inline FileSource Source(std::string_view text, std::size_t most = 13, std::uint64_t failAt = UINT64_MAX)
{
    return {text.size(), [=](std::uint64_t offset, char* buffer, std::size_t count, std::string& message) -> std::ptrdiff_t {
                if (offset >= failAt) {
                    message = "Input/output error";
                    return -1;
                }
                if (offset >= text.size()) return 0;
                const std::size_t n = std::min({count, most, static_cast<std::size_t>(text.size() - offset)});
                std::copy_n(text.data() + offset, n, buffer);
                return static_cast<std::ptrdiff_t>(n);
            }};
}

}  // namespace orv::test
