#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace mxt::platform {

// Starts arguments[0] (looked up in PATH when it holds no "/") with these arguments,
// detached: it outlives this process, is never waited for and leaves no zombie. False
// when the program could not be started (not found, not executable).
bool StartDetached(const std::vector<std::string>& arguments);

// A process told apart from a later one that reuses its number: its number and when it
// started, in the system's clock ticks since boot (0 where the system does not tell).
struct ProcessStamp {
  std::int64_t id = 0;
  std::uint64_t started = 0;
};

ProcessStamp ThisProcess();

// Whether the stamped process has ended. A process the system cannot tell about, or one
// whose start is unknown, is taken to run.
bool ProcessEnded(const ProcessStamp& stamp);

// The user this process runs as.
std::uint32_t ThisUser();

}  // namespace mxt::platform
