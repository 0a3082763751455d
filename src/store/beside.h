// Work on a thread beside the caller's.
#pragma once

#include <future>
#include <system_error>
#include <type_traits>
#include <utility>

namespace orv {

// Starts `work` on a thread of its own. Where the system gives no thread, it
// runs in the caller when its result is asked for: a busy system makes the
// work slower, never fail.
template <class F>
std::future<std::invoke_result_t<std::decay_t<F>>> Beside(F&& work)
{
    try {
        return std::async(std::launch::async, work);
    } catch (const std::system_error&) {
        return std::async(std::launch::deferred, std::forward<F>(work));
    }
}

}  // namespace orv
