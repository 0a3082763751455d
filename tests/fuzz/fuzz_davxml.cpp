// Reads the input as a server's multistatus answer. A refused answer leaves
// nothing behind; an accepted one gives hrefs that name themselves, and a
// read-back of what a multiget asks for holds the same hrefs.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "sync/davxml.h"

namespace {

void Fail(const char* what)
{
    std::fprintf(stderr, "multistatus: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace orv::sync;
    const std::string_view xml(reinterpret_cast<const char*>(data), size);
    DavMultistatus ms;
    std::string error;
    if (!ParseMultistatus(xml, ms, error)) {
        if (error.empty()) Fail("a refusal without a message");
        if (!ms.responses.empty() || !ms.syncToken.empty()) Fail("a refusal that keeps a part");
        return 0;
    }
    std::vector<std::string> hrefs;
    for (const DavResponse& r : ms.responses) {
        if (!SameHref(r.href, r.href)) Fail("an href that is not itself");
        hrefs.push_back(r.href);
    }
    DavMultistatus again;
    const std::string asked = MultigetReport(hrefs, true);
    (void)DavErrorCondition(xml);
    // The request body is well-formed XML whatever the hrefs hold.
    std::string refusal;
    if (ParseMultistatus(asked, again, refusal) || refusal.find("not a WebDAV multistatus") == std::string::npos)
        Fail("a multiget body that is not well-formed");
    return 0;
}
