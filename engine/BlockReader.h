#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <mutex>
#include <span>
#include <thread>

#include "engine/ConversionBuffers.h"
#include "platform/File.h"
#include "platform/HelperPlacement.h"

namespace mxt::engine {

// Reads a file's blocks ahead on a thread of its own, so that the system copies the next
// blocks while this one is converted. The blocks are its own, allocated once.
class BlockReader {
 public:
  // The block taken last and those read ahead of it.
  static constexpr std::size_t kBlocks = 3;

  BlockReader();
  ~BlockReader();
  BlockReader(const BlockReader&) = delete;
  BlockReader& operator=(const BlockReader&) = delete;

  // Reads `file` from where it stands, block after block, until a read gives nothing.
  // The file is the thread's until Stop.
  void Start(platform::File& file);
  bool Reading() const { return file_ != nullptr; }
  // The next block once it is read, empty at the end; raises the failure of its read. The
  // block taken before it is given back, to be read into.
  std::span<const std::uint8_t> Next();
  // Reads no more: waits for a read under way, and forgets what was read ahead.
  void Stop() noexcept;

 private:
  void Run();
  std::uint8_t* Block(std::size_t number) const;
  // With the lock held: whether the thread may read another block now.
  bool MayReadAhead() const;

  PageAlignedBytes blocks_;
  std::size_t sizes_[kBlocks] = {};
  std::mutex mutex_;
  std::condition_variable changed_;
  platform::File* file_ = nullptr;
  std::size_t read_ = 0;                // blocks read since Start
  std::atomic<std::size_t> taken_ = 0;  // blocks taken since Start; looked at without the lock
  bool atEnd_ = false;                  // the last read gave nothing, or failed
  bool busy_ = false;                   // a read is under way, without the lock
  bool stopping_ = false;
  std::exception_ptr failure_;
  std::thread thread_;
  platform::HelperPlacement placement_;
};

}  // namespace mxt::engine
