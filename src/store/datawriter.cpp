#include "store/datawriter.h"

#include <utility>

namespace orv {

namespace {

std::size_t Index(DataKind kind) { return static_cast<std::size_t>(kind); }

}  // namespace

DataWriter::DataWriter(DataFiles& files, Wake wake) : files_(files), wake_(std::move(wake)) {}

DataWriter::~DataWriter()
{
    {
        const std::lock_guard lock(lock_);
        ending_ = true;
    }
    wanted_.notify_all();
    if (thread_.joinable()) thread_.join();
}

void DataWriter::SetWake(Wake wake)
{
    const std::lock_guard lock(lock_);
    wake_ = std::move(wake);
}

void DataWriter::SetBeforeWrite(std::function<void(DataKind)> hook)
{
    const std::lock_guard lock(lock_);
    beforeWrite_ = std::move(hook);
}

std::uint64_t DataWriter::Queue(DataKind kind, RecordStore copy)
{
    std::uint64_t ticket = 0;
    {
        const std::lock_guard lock(lock_);
        const std::size_t i = Index(kind);
        if (!waiting_[i]) order_.push_back(kind);
        waiting_[i] = std::move(copy);
        ticket = waitingTicket_[i] = ++lastTicket_;
        if (!thread_.joinable()) thread_ = std::thread([this] { Run(); });
    }
    wanted_.notify_one();
    return ticket;
}

void DataWriter::WaitIdle()
{
    std::unique_lock lock(lock_);
    idle_.wait(lock, [this] { return order_.empty() && !writing_; });
}

bool DataWriter::Idle() const
{
    const std::lock_guard lock(lock_);
    return order_.empty() && !writing_;
}

std::vector<DataWriter::Done> DataWriter::TakeDone()
{
    const std::lock_guard lock(lock_);
    return std::exchange(done_, {});
}

void DataWriter::Run()
{
    std::unique_lock lock(lock_);
    for (;;) {
        wanted_.wait(lock, [this] { return ending_ || !order_.empty(); });
        if (order_.empty()) return;  // ending, and all written
        const DataKind kind = order_.front();
        order_.pop_front();
        const std::size_t i = Index(kind);
        RecordStore copy = std::move(*waiting_[i]);
        waiting_[i].reset();
        Done done{kind, waitingTicket_[i], {}};
        writing_ = true;
        const auto hook = beforeWrite_;
        lock.unlock();
        if (hook) hook(kind);
        done.report = files_.WriteList(kind, copy);
        // The copy is freed here, not under the lock: a list of many records takes a while.
        copy = RecordStore();
        lock.lock();
        done_.push_back(std::move(done));
        writing_ = false;
        const Wake wake = wake_;
        if (order_.empty()) idle_.notify_all();
        if (wake) {
            lock.unlock();
            wake();
            lock.lock();
        }
    }
}

}  // namespace orv
