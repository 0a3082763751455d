// Writes the lists of the six data files on a thread of its own, so that the
// thread that edits them answers at once while a file of many megabytes is
// serialised, written and synced.
#pragma once

#include <array>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "store/datafile.h"

namespace orv {

class DataWriter {
public:
    // A write that ended: the ticket of the copy written (a newer copy of
    // the same list queued before the write began took the place of the
    // older ones, which get no answer of their own).
    struct Done {
        DataKind kind = DataKind::Addresses;
        std::uint64_t ticket = 0;
        SaveReport report;
    };
    // Called on the writer's thread after each write, to wake the thread
    // that takes the answers (TakeDone).
    using Wake = std::function<void()>;

    explicit DataWriter(DataFiles& files, Wake wake = {});
    // Writes what is queued, then ends the thread: a copy handed over is never lost.
    ~DataWriter();
    DataWriter(const DataWriter&) = delete;
    DataWriter& operator=(const DataWriter&) = delete;

    void SetWake(Wake wake);
    // Tests: runs on the writer's thread before each write.
    void SetBeforeWrite(std::function<void(DataKind)> hook);

    // Hands over a copy holding the kind's list (identities given) and
    // returns its ticket, increasing with each call. Lists are written in
    // the order they were first queued; a copy queued while an older copy of
    // the same list still waits replaces that copy, so the file never gets
    // an older state after a newer one.
    std::uint64_t Queue(DataKind kind, RecordStore copy);

    // Waits until nothing is queued or being written.
    void WaitIdle();
    bool Idle() const;
    // The writes that ended since the last call, in the order they ended.
    std::vector<Done> TakeDone();

private:
    void Run();

    DataFiles& files_;
    mutable std::mutex lock_;
    std::condition_variable wanted_;  // a copy was queued, or the end
    std::condition_variable idle_;
    Wake wake_;
    std::function<void(DataKind)> beforeWrite_;
    std::deque<DataKind> order_;
    std::array<std::optional<RecordStore>, 6> waiting_;
    std::array<std::uint64_t, 6> waitingTicket_{};
    std::uint64_t lastTicket_ = 0;
    bool writing_ = false;
    bool ending_ = false;
    std::vector<Done> done_;
    std::thread thread_;  // started by the first Queue
};

}  // namespace orv
