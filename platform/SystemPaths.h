#pragma once

#include <string>

namespace mxt::platform {

// The system's folder for temporary files, ending in the separator; empty when the system
// cannot tell.
std::string TempDirectory();

// The full path of the running program.
std::string ProgramPath();

// The folder of this user's configuration files, without a final separator.
std::string UserConfigDirectory();

// This user's private folder for the instance locks and the hand-over channel, ending in
// the separator. Made when missing; raises IoError when it cannot be made or when
// another user owns it.
std::string RuntimeDirectory();

// The program that opens files from the list until the user chooses another.
const char* DefaultViewerProgram();

}  // namespace mxt::platform
