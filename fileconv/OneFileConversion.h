#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "fileconv/FileEntry.h"
#include "platform/FileIdentity.h"
#include "platform/FileTime.h"
#include "platform/OsFile.h"

namespace mxt::fileconv {

// The one conversion in progress; no two run at once.
struct OneFileState {
  FileEntry* CurrentItem = nullptr;
  // The separate output file's entry in output-to-file mode, else null.
  FileEntry* OutputItem = nullptr;
  // Only a temporary copy for the viewer is made.
  bool ViewMode = false;
  // The temporary file the last conversion that made one made.
  std::string TempFileName;
  // Present while open; the caller's clean-up closes it exactly once.
  std::optional<platform::OsFile> InputFile;
  // What the check found; a file that no longer matches it is not replaced.
  std::int64_t FoundSize = 0;
  platform::FileTime FoundWriteTime;
  // The file that was opened: only this file is ever replaced.
  platform::FileIdentity Opened;
  platform::FileTime SavedWriteTime;
  // Told how many bytes of the input have been read, after each block; may be empty.
  std::function<void(std::int64_t read)> BlockRead;
};

extern OneFileState Conversion;

void ResetOneFileState();

// Existence, kind, write permission and size of CurrentItem: Ready or Skipped.
void CheckFile();
// Opens the input for this conversion alone; a file held by another is skipped.
void OpenInputFile();
// The whole conversion of a checked, open file; skips, or raises on failure.
void ConvertFile();
void CloseInputFile();
// After a successful conversion: the codes into Code, and the image.
void RecordResultCode();
// After a successful conversion to the separate file; true when its entry must be redrawn.
bool UpdateOutputItem();

}  // namespace mxt::fileconv
