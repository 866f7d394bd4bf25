#pragma once

#include <string>
#include <vector>

namespace mxt::gui {

// The whole life of a start with the window: the system checked, the settings' store
// chosen, the locks of a running instance, the window made, its first idle moment, the
// message loop, the end. Returns the exit code; a "/B" start has those of a batch run.
int RunWindowed(const std::vector<std::string>& arguments, int& argc, char** argv);

}  // namespace mxt::gui
