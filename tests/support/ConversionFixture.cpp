#include "tests/support/ConversionFixture.h"

#include "engine/ConversionBuffers.h"
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

void ConversionFixture::TearDown() {
  engine::FreeConversionBuffers();
  fileconv::ResetFileLists();
  fileconv::ResetTempNumbers();
}

}  // namespace mxt::testing
