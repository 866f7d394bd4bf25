#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "fileconv/RunHost.h"

namespace mxt::app {

// The arguments a viewer is started with, no shell between: the viewer path, its
// options split into words as a POSIX shell splits them (blanks separate words; single
// quotes, double quotes and backslashes work as in the shell; nothing is expanded), and
// the file. Options that a shell would reject (an open quote) are taken as one word.
std::vector<std::string> ViewerArguments(const std::string& viewerPath, const std::string& options,
                                         const std::string& file);

// Starts a program with these arguments and does not wait for it; false when it could
// not be started.
using ProgramStarter = std::function<bool(const std::vector<std::string>& arguments)>;

// Opens entry `index` of `list` in the viewer (Settings.ViewerPath with
// Settings.ViewerCmdLineOption). With `conv`, a copy converted under the current settings
// is shown instead, and it is listed in RunStatus.ViewerTempFiles to be deleted at exit.
// Nothing happens during a run, nor for a converted view of the output list. The
// messages of an empty viewer path, a file that was not converted and a viewer that did
// not start go to `host`; errors of the conversion propagate.
void OpenInViewer(fileconv::ListId list, std::size_t index, bool conv, fileconv::RunHost& host,
                  const ProgramStarter& start);

}  // namespace mxt::app
