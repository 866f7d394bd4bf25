#pragma once

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <mutex>
#include <thread>

#include "platform/File.h"
#include "platform/HelperPlacement.h"

namespace mxt::engine {

// Writes blocks to a file on a thread of its own, so that the blocks that follow are
// converted while the system copies these. Blocks are written in the order given; a
// failure is raised at the next call after it.
class BlockWriter {
 public:
  // How many blocks may wait to be written.
  static constexpr std::size_t kQueued = 3;

  BlockWriter();
  ~BlockWriter();
  BlockWriter(const BlockWriter&) = delete;
  BlockWriter& operator=(const BlockWriter&) = delete;

  // Has the block written once those before it are. The data must stay as it is until
  // kQueued more blocks have been given, or until Finish.
  void Write(platform::File& file, const std::uint8_t* data, std::size_t size);
  // Waits until every block given is written, and raises the failure of one that was not.
  void Finish();
  // The last block of a file: written by the caller once those before it are, so that a
  // file of one block is written without a word to the thread.
  void WriteLast(platform::File& file, const std::uint8_t* data, std::size_t size);
  // Waits as Finish does, when another failure is on its way: a failure of its own is
  // dropped.
  void Abandon() noexcept;

 private:
  struct Block {
    platform::File* file;
    const std::uint8_t* data;
    std::size_t size;
  };

  void Run();
  // With the lock held: raises a failure the thread met, and forgets it.
  void RaiseFailure();

  std::mutex mutex_;
  std::condition_variable changed_;
  std::array<Block, kQueued> queue_{};
  std::size_t first_ = 0;
  // Given and not yet written, the one being written included; looked at without the lock.
  std::atomic<std::size_t> count_ = 0;
  bool stopping_ = false;
  std::exception_ptr failure_;
  std::thread thread_;
  platform::HelperPlacement placement_;
};

}  // namespace mxt::engine
