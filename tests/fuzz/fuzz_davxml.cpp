// Reads the input as a server's multistatus answer. A refused answer leaves
// nothing behind; an accepted one gives hrefs that name themselves, and a
// read-back of what a multiget asks for holds the same hrefs.
#include <string>

#include "fuzzcheck.h"
#include "sync/davxml.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace orv::sync;
    using orv::fuzz::Check;
    const std::string_view xml = orv::fuzz::Text(data, size);
    DavMultistatus ms;
    std::string error;
    if (!ParseMultistatus(xml, ms, error)) {
        Check(!error.empty(), "a refusal without a message");
        Check(ms.responses.empty() && ms.syncToken.empty(), "a refusal that keeps a part");
        return 0;
    }
    std::vector<std::string> hrefs;
    for (const DavResponse& r : ms.responses) {
        Check(SameHref(r.href, r.href), "an href that is not itself");
        hrefs.push_back(r.href);
    }
    DavMultistatus again;
    const std::string asked = MultigetReport(hrefs, true);
    (void)DavErrorCondition(xml);
    // The request body is well-formed XML whatever the hrefs hold.
    std::string refusal;
    Check(!ParseMultistatus(asked, again, refusal) && refusal.find("not a WebDAV multistatus") != std::string::npos,
          "a multiget body that is not well-formed");
    return 0;
}
