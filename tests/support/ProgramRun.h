#pragma once

#include <string>

#include "tests/support/TempDir.h"

namespace mxt::testing {

struct Outcome {
  int exitCode;
  std::string out;
  std::string err;
};

// Runs shell `commands` in `dir` as a user of the program would, with `mxt` standing for
// `program` (and $MXT for its path), no display, the settings and temporary files inside
// `dir`.
Outcome RunProgram(const std::string& program, const TempDir& dir, const std::string& commands);

}  // namespace mxt::testing
