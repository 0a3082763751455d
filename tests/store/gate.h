// A gate for the data writer's test hook: while it is closed the writer waits
// in each write until the test opens it, so that a test can act while a
// write is going on.
#pragma once

#include <condition_variable>
#include <mutex>

namespace orv::test {

class Gate {
public:
    void Enter()
    {
        std::unique_lock lock(lock_);
        inside_ = true;
        changed_.notify_all();
        changed_.wait(lock, [this] { return open_; });
    }
    void WaitInside()
    {
        std::unique_lock lock(lock_);
        changed_.wait(lock, [this] { return inside_; });
    }
    void Open()
    {
        const std::lock_guard lock(lock_);
        open_ = true;
        changed_.notify_all();
    }
    void Close()
    {
        const std::lock_guard lock(lock_);
        open_ = inside_ = false;
    }

private:
    std::mutex lock_;
    std::condition_variable changed_;
    bool inside_ = false, open_ = false;
};

}  // namespace orv::test
