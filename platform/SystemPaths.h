#pragma once

#include <string>
#include <vector>

namespace mxt::platform {

// The system's folder for temporary files, ending in the separator; empty when the system
// cannot tell.
std::string TempDirectory();

// The full path of the running program.
std::string ProgramPath();

// The folder of this user's configuration files, without a final separator.
std::string UserConfigDirectory();

// The folder of this user's cache files, without a final separator.
std::string UserCacheDirectory();

// The first of the folders that is this user's alone, made so when missing, ending in the
// separator. A folder another user owns, or a link, is passed over; when none is left,
// raises the last one's IoError.
std::string FirstPrivateDirectory(const std::vector<std::string>& candidates);

// This user's private folder for the instance locks and the hand-over channel, ending in
// the separator: in the session's runtime folder, else in /tmp or, where another user took
// that name, in this user's cache. Raises IoError when there is none to have.
std::string RuntimeDirectory();

// The program that opens files from the list until the user chooses another.
const char* DefaultViewerProgram();

}  // namespace mxt::platform
