#pragma once

namespace mxt::platform {

// SIGINT, SIGTERM and SIGHUP ask the program to stop rather than end it at once, so that
// the file in hand is cleaned up; a second one of the same kind ends it. A write past the
// file-size limit (ulimit -f) fails as a full disk does, instead of ending the program.
void CatchStopSignals();
// Whether one of them came; the run stops where it can.
bool StopSignalled();
// For tests: as if none had come.
void ClearStopSignal();

// Holds the stop signals off while it lives; they arrive when it goes. For work that must
// not be left half done.
class HeldStopSignals {
 public:
  HeldStopSignals();
  ~HeldStopSignals();
  HeldStopSignals(const HeldStopSignals&) = delete;
  HeldStopSignals& operator=(const HeldStopSignals&) = delete;

 private:
  unsigned released_ = 0;  // which of them were not held off before, a bit each
};

}  // namespace mxt::platform
