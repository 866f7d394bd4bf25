#pragma once

#include <gtest/gtest.h>

#include <string>

#include "tests/support/ProgramRun.h"
#include "tests/support/TempDir.h"

namespace mxt::app {

// A test of the built program (MXT_EXECUTABLE), run as a user runs it in a folder of its own.
class ProgramTest : public ::testing::Test {
 protected:
  testing::Outcome Run(const std::string& commands) {
    return testing::RunProgram(MXT_EXECUTABLE, dir_, commands);
  }
  // One line of the report for a file of the folder.
  std::string Line(const std::string& name, const std::string& status) const {
    return dir_ / name + "\t" + status + "\n";
  }

  testing::TempDir dir_;
};

}  // namespace mxt::app
