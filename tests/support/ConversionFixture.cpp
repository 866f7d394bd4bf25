#include "tests/support/ConversionFixture.h"

namespace mxt::testing {

fileconv::FileEntry& ConversionRig::Add(const std::string& path) {
  EXPECT_TRUE(files.Add(path, "", host)) << path;
  return *files.Inputs().back();
}

fileconv::FileEntry& ConversionRig::Convert(const std::string& path) {
  fileconv::FileEntry& entry = Add(path);
  ConvertList();
  return entry;
}

}  // namespace mxt::testing
