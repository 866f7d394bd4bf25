#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

namespace mxt::app {

// The exit codes of a run.
constexpr int kExitDone = 0;
constexpr int kExitError = 1;  // an error ended the run, or the command line was rejected
constexpr int kExitCannotStart = 2;

// Whether the settings live in the INI file beside the program: when the first argument
// asks for it, and always on the systems whose registry the program does not use.
bool DecideStorage(const std::vector<std::string>& arguments, std::uint8_t osKind);

// The whole life of a start without a window: settings, command line, the run, and a
// report line per entry on `report`. Returns the exit code.
int RunWithoutWindow(const std::vector<std::string>& arguments, std::ostream& report,
                     std::ostream& errors);

}  // namespace mxt::app
