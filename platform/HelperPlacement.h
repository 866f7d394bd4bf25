#pragma once

#include <thread>

namespace mxt::platform {

// Keeps a thread that reads or writes blocks for a converting thread off the converting
// thread's processor. Woken by the converting thread, such a helper is often placed beside
// it, and the two then share one processor while another stands idle: a large conversion
// took up to a third longer so.
class HelperPlacement {
 public:
  // Called by the thread that is helped, at each block it hands over: moves `helper` off the
  // processor the calling thread runs on, when that changed since the last call and the
  // calling thread may run on more than one. A hint; where the system refuses, nothing changes.
  void KeepOffCallersProcessor(std::thread& helper) noexcept;

 private:
  int callersProcessor_ = -1;
};

}  // namespace mxt::platform
