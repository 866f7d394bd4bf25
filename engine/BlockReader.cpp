#include "engine/BlockReader.h"

#include <utility>

#include "engine/YieldingWait.h"
#include "platform/StopSignals.h"

namespace mxt::engine {

BlockReader::BlockReader() : blocks_(AllocatePageAligned(kBlocks * InputBufferSize)) {
  // As the writer's: the stop signals go to the thread that converts.
  const platform::HeldStopSignals held;
  thread_ = std::thread([this] { Run(); });
}

BlockReader::~BlockReader() {
  Stop();
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

std::uint8_t* BlockReader::Block(std::size_t number) const {
  return blocks_.get() + (number % kBlocks) * InputBufferSize;
}

// One block stays with the caller, the one it took last.
bool BlockReader::MayReadAhead() const {
  return file_ != nullptr && !atEnd_ && read_ + 1 < taken_ + kBlocks;
}

void BlockReader::Run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    if (!stopping_ && !MayReadAhead()) {
      const std::size_t taken = taken_;
      lock.unlock();
      YieldWhileUnchanged(taken_, taken);
      lock.lock();
    }
    changed_.wait(lock, [this] { return stopping_ || MayReadAhead(); });
    if (stopping_) return;
    platform::File& file = *file_;
    std::uint8_t* block = Block(read_);
    busy_ = true;
    lock.unlock();
    std::size_t size = 0;
    std::exception_ptr failure;
    try {
      size = file.ReadBlock(block, InputBufferSize);
    } catch (...) {
      failure = std::current_exception();
    }
    lock.lock();
    busy_ = false;
    sizes_[read_ % kBlocks] = size;
    ++read_;
    failure_ = failure;
    atEnd_ = size == 0;
    changed_.notify_all();
  }
}

void BlockReader::Start(platform::File& file) {
  {
    const std::lock_guard lock(mutex_);
    file_ = &file;
  }
  changed_.notify_all();
}

std::span<const std::uint8_t> BlockReader::Next() {
  placement_.KeepOffCallersProcessor(thread_);
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return read_ > taken_ || atEnd_; });
  if (read_ == taken_) return {};
  const std::size_t number = taken_++;
  changed_.notify_all();
  if (failure_ && read_ == taken_) std::rethrow_exception(std::exchange(failure_, nullptr));
  return {Block(number), sizes_[number % kBlocks]};
}

void BlockReader::Stop() noexcept {
  std::unique_lock lock(mutex_);
  file_ = nullptr;
  changed_.wait(lock, [this] { return !busy_; });
  read_ = taken_ = 0;
  atEnd_ = false;
  failure_ = nullptr;
}

}  // namespace mxt::engine
