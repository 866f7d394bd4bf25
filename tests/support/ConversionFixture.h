#pragma once

#include <gtest/gtest.h>

#include "tests/support/RecordingHost.h"
#include "tests/support/TempDir.h"

namespace mxt::testing {

// Fresh settings, lists, run flags and buffers for each test, a folder for its files and
// a window that records what the run does to it.
class ConversionFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  TempDir dir_;
  RecordingHost host_;
};

}  // namespace mxt::testing
