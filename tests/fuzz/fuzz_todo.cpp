// Reads the input as a to-do file, writes the items, reads them again: the
// items must come back unchanged and the second write must match the first.
#include <string>
#include <vector>

#include "fuzzcheck.h"
#include "store/todofile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::string> items = orv::ParseTodoText(orv::fuzz::Text(data, size));
    for (const std::string& item : items) orv::fuzz::Check(orv::fuzz::IsOneLine(item), "an item holds a line break");
    const std::string written = orv::SerializeTodoText(items);
    const std::vector<std::string> again = orv::ParseTodoText(written);
    orv::fuzz::Check(again == items && orv::SerializeTodoText(again) == written, "to-do round trip broken");
    return 0;
}
