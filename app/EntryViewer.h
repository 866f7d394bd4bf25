#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "app/Session.h"

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

// Opens list entries in the viewer program, and keeps the converted copies it showed
// until they are deleted at exit.
class EntryViewer {
 public:
  explicit EntryViewer(ProgramStarter start) : start_(std::move(start)) {}

  // Starts the program the viewer opens a file with; tests stand in for it.
  void SetProgramStarter(ProgramStarter start) { start_ = std::move(start); }

  // Opens entry `index` of `list` in the viewer (ViewerPath with ViewerCmdLineOption).
  // With `conv`, a copy converted under the current settings is shown instead, and kept
  // to be deleted at exit. Nothing happens during a run, nor for a converted view of the
  // output list. The messages of an empty viewer path, a file that was not converted and
  // a viewer that did not start go to the session's host; errors of the conversion
  // propagate.
  void Open(Session& session, fileconv::ListId list, std::size_t index, bool conv);

  // The converted copies shown so far.
  const std::vector<std::string>& Copies() const { return copies_; }
  // Deletes them; returns how many could not be deleted.
  std::size_t DeleteCopies();

 private:
  ProgramStarter start_;
  std::vector<std::string> copies_;
};

}  // namespace mxt::app
