#pragma once

#include <string>
#include <vector>

namespace mxt::fileconv {

// The flags of the conversion run, shared with the window.
struct RunFlags {
  bool Busy = false;      // a run is in progress: drops and viewer commands are refused
  bool Abort = false;     // the user asked to stop after the current file
  bool AllDone = false;   // the last run reached every input entry
  bool RunGuard = false;  // set around every call of ConvertAll
  // What the status line shows when no hint is shown.
  std::string StatusText;
  std::string OutputPath;
  // The viewer's converted copies, deleted at exit.
  std::vector<std::string> ViewerTempFiles;
};

extern RunFlags RunStatus;

void ResetRunFlags();

}  // namespace mxt::fileconv
