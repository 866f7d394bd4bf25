#pragma once

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "fileconv/FileEntry.h"
#include "tests/support/RecordingHost.h"
#include "tests/support/TempDir.h"

namespace mxt::testing {

// Fresh settings, lists, run flags and buffers for each test, a folder for its files and
// a window that records what the run does to it.
class ConversionFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  std::string Path(const std::string& name) const { return dir_ / name; }
  // Adds a path to the input list.
  fileconv::FileEntry& Add(const std::string& path);
  // Converts the whole list as one run.
  void ConvertList();
  // Adds a path and runs the list.
  fileconv::FileEntry& Convert(const std::string& path);
  void OutputTo(const std::string& path);
  // The names in the test's folder.
  std::set<std::string> FolderContent() const;

  TempDir dir_;
  RecordingHost host_;
};

}  // namespace mxt::testing
