#pragma once

#include <atomic>
#include <cstddef>
#include <thread>

namespace mxt::engine {

// The threads that read and write blocks for the converting thread mostly find their next
// block ready within microseconds. Before one sleeps on its condition it gives way a few
// times while `counter` still reads `seen`: a thread not asleep is told of a new block
// without a call to the system, which would cost the converting thread microseconds a block.
inline void YieldWhileUnchanged(const std::atomic<std::size_t>& counter, std::size_t seen) {
  constexpr int kYields = 30;
  for (int i = 0; i < kYields && counter.load(std::memory_order_relaxed) == seen; ++i)
    std::this_thread::yield();
}

}  // namespace mxt::engine
