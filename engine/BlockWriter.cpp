#include "engine/BlockWriter.h"

#include <utility>

#include "engine/YieldingWait.h"
#include "platform/StopSignals.h"

namespace mxt::engine {

BlockWriter::BlockWriter() {
  // Born with the stop signals held off, the thread keeps them so: they reach the thread
  // that converts, which may hold them off itself while a source is rewritten.
  const platform::HeldStopSignals held;
  thread_ = std::thread([this] { Run(); });
}

BlockWriter::~BlockWriter() {
  {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return count_ == 0; });
    stopping_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

// After a failure the blocks still queued are passed over: the file is given up.
void BlockWriter::Run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    if (count_ == 0 && !stopping_) {
      lock.unlock();
      YieldWhileUnchanged(count_, 0);
      lock.lock();
    }
    changed_.wait(lock, [this] { return count_ > 0 || stopping_; });
    if (count_ == 0) return;
    const Block block = queue_[first_];
    const bool skip = failure_ != nullptr;
    lock.unlock();
    std::exception_ptr failure;
    if (!skip) {
      try {
        block.file->WriteBlock(block.data, block.size);
      } catch (...) {
        failure = std::current_exception();
      }
    }
    lock.lock();
    if (failure) failure_ = failure;
    first_ = (first_ + 1) % kQueued;
    --count_;
    changed_.notify_all();
  }
}

void BlockWriter::RaiseFailure() {
  if (failure_) std::rethrow_exception(std::exchange(failure_, nullptr));
}

void BlockWriter::Write(platform::File& file, const std::uint8_t* data, std::size_t size) {
  placement_.KeepOffCallersProcessor(thread_);
  {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return count_ < kQueued; });
    RaiseFailure();
    queue_[(first_ + count_) % kQueued] = {&file, data, size};
    ++count_;
  }
  changed_.notify_all();
}

void BlockWriter::Finish() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return count_ == 0; });
  RaiseFailure();
}

void BlockWriter::WriteLast(platform::File& file, const std::uint8_t* data, std::size_t size) {
  Finish();
  if (size > 0) file.WriteBlock(data, size);
}

void BlockWriter::Abandon() noexcept {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return count_ == 0; });
  failure_ = nullptr;
}

}  // namespace mxt::engine
