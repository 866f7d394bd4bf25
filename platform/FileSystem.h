#pragma once

#include <string>

#include "platform/OsFile.h"

namespace mxt::platform {

// Each raises EInOutError with the system's code when it fails.
void DeleteFile(const std::string& path);
// Puts `from` in the place of `to` in one step; an existing `to` is replaced.
void ReplaceFile(const std::string& from, const std::string& to);

// The file a path leads to when its last component is a symbolic link; else the path.
std::string LinkTarget(const std::string& path);

// Gives `file` the permission bits of `model`, and its owner and group where the process
// may set them.
void CopyModeAndOwner(OsFile& model, OsFile& file);

// Both open files are the same file on disk.
bool SameFile(OsFile& a, OsFile& b);

}  // namespace mxt::platform
