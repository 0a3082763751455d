// The outcome of an operation that can fail: ok, or the message that says
// why. Outcomes that carry more (a file's text, a table, counts) derive from
// it, so that every one is asked the same way: `if (!r.ok) show(r.message)`.
#pragma once

#include <string>
#include <utility>

namespace orv {

struct Result {
    bool ok = true;
    std::string message;  // the text to show when not ok
    static Result Ok() { return {}; }
    static Result Error(std::string m) { return {false, std::move(m)}; }
    explicit operator bool() const { return ok; }
};

}  // namespace orv
