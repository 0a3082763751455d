// Builds records of every kind from the input, any bytes in any value, writes
// them and reads them back: the writer never lets a value break its line, and
// every record comes back whole.
#include "../store/roundtrip.h"
#include "fuzzcheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    orv::test::ByteSource in(data, size);
    const std::string failure = orv::test::CheckRoundTrip(orv::test::BuildRecords(in));
    orv::fuzz::Check(failure.empty(), failure.c_str());
    return 0;
}
