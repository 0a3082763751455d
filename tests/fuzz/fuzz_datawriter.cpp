// Builds records of every kind from the input, any bytes in any value, writes
// them and reads them back: the writer never lets a value break its line, and
// every record comes back whole.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "../store/roundtrip.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    orv::test::ByteSource in(data, size);
    const std::string failure = orv::test::CheckRoundTrip(orv::test::BuildRecords(in));
    if (!failure.empty()) {
        std::fprintf(stderr, "round trip broken: %s\n", failure.c_str());
        std::abort();
    }
    return 0;
}
