#include "tests/support/ConversionFixture.h"

#include <dirent.h>

#include "engine/ConversionBuffers.h"
#include "fileconv/ConversionRun.h"
#include "fileconv/FileList.h"
#include "fileconv/OneFileConversion.h"
#include "fileconv/RunState.h"
#include "fileconv/SettingsRecord.h"
#include "fileconv/TempFile.h"

namespace mxt::testing {

void ConversionFixture::SetUp() {
  fileconv::ResetSettings();
  fileconv::ResetOneFileState();
  fileconv::ResetRunFlags();
  fileconv::ResetFileLists();
  engine::AllocateConversionBuffers();
  fileconv::Settings.TempDir = dir_.Path() + "/";
}

fileconv::FileEntry& ConversionFixture::Add(const std::string& path) {
  EXPECT_TRUE(fileconv::AddFileToList(path, host_)) << path;
  return *fileconv::Files.Inputs.back();
}

void ConversionFixture::ConvertList() {
  fileconv::ConvertAll(host_);
}

fileconv::FileEntry& ConversionFixture::Convert(const std::string& path) {
  fileconv::FileEntry& entry = Add(path);
  ConvertList();
  return entry;
}

void ConversionFixture::OutputTo(const std::string& path) {
  fileconv::UseOutputFile(path, host_);
}

std::set<std::string> ConversionFixture::FolderContent() const {
  std::set<std::string> names;
  DIR* dir = ::opendir(dir_.Path().c_str());
  while (const dirent* entry = ::readdir(dir)) {
    if (entry->d_name[0] != '.') names.insert(entry->d_name);
  }
  ::closedir(dir);
  return names;
}

void ConversionFixture::TearDown() {
  engine::FreeConversionBuffers();
  fileconv::ResetFileLists();
  fileconv::ResetTempNumbers();
}

}  // namespace mxt::testing
