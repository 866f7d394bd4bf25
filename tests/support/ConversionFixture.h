#pragma once

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "fileconv/ConversionRun.h"
#include "fileconv/FileEntry.h"
#include "fileconv/FileList.h"
#include "fileconv/Settings.h"
#include "tests/support/RecordingHost.h"
#include "tests/support/TempDir.h"

namespace mxt::testing {

// Settings, lists and a run of their own, as a start makes them, with a window that
// records what the run does to it.
class ConversionRig {
 public:
  // Temporary files are made in `tempDir`, which ends in "/".
  explicit ConversionRig(const std::string& tempDir) { settings.TempDir = tempDir; }

  // Adds a path to the input list.
  fileconv::FileEntry& Add(const std::string& path);
  // Converts the whole list as one run.
  void ConvertList() { run.ConvertAll(); }
  // Adds a path and runs the list.
  fileconv::FileEntry& Convert(const std::string& path);
  void OutputTo(const std::string& path) { run.UseOutputFile(path); }

  RecordingHost host;
  fileconv::Settings settings;
  fileconv::FileList files;
  fileconv::ConversionRun run{settings, files, host};
};

// A rig for each test and a folder for its files.
class ConversionFixture : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) const { return dir_ / name; }
  fileconv::FileEntry& Add(const std::string& path) { return rig_.Add(path); }
  void ConvertList() { rig_.ConvertList(); }
  fileconv::FileEntry& Convert(const std::string& path) { return rig_.Convert(path); }
  void OutputTo(const std::string& path) { rig_.OutputTo(path); }
  // The names in the test's folder, or in `folder`.
  std::set<std::string> FolderContent() const { return testing::FolderContent(dir_.Path()); }
  static std::set<std::string> FolderContent(const std::string& folder) {
    return testing::FolderContent(folder);
  }

  TempDir dir_;
  ConversionRig rig_{dir_.Path() + "/"};
  RecordingHost& host_ = rig_.host;
  fileconv::Settings& settings_ = rig_.settings;
  fileconv::FileList& files_ = rig_.files;
  fileconv::ConversionRun& run_ = rig_.run;
};

}  // namespace mxt::testing
