#pragma once

#include <string>

#include "platform/OsFile.h"

namespace mxt::fileconv {

// Putting a conversion's temporary file in the place of its source (Conversion's input
// and entry), which must still be the file that was opened and checked.

// Fails, removing `temp`, when another program changed the source since its check.
void EnsureUnchangedSinceCheck(const std::string& temp);
// `target` is where the opened source lives; the rename fails, removing `temp`, when
// another file has taken its place.
void RenameOverSource(const std::string& temp, const std::string& target);
// Copies `temp` over the source, which keeps its directory entry, and removes it.
void CopyTempOverSource(const std::string& temp);

// A temporary file that is not wanted any more; one already gone is no matter.
void RemoveTemporaryFile(const std::string& path) noexcept;
// Gives `file` the source's last-write time as it was saved when the source was opened.
void KeepTimestamp(platform::OsFile& file);

}  // namespace mxt::fileconv
