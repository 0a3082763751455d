// Reads the input as a to-do file, writes the items, reads them again: the
// items must come back unchanged and the second write must match the first.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "store/todofile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> items = orv::ParseTodoText(input);
    for (const std::string& item : items) {
        if (item.find_first_of("\r\n") != std::string::npos) {
            std::fputs("an item holds a line break\n", stderr);
            std::abort();
        }
    }
    const std::string written = orv::SerializeTodoText(items);
    const std::vector<std::string> again = orv::ParseTodoText(written);
    if (again != items || orv::SerializeTodoText(again) != written) {
        std::fputs("to-do round trip broken\n", stderr);
        std::abort();
    }
    return 0;
}
