#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "fileconv/FileConversion.h"
#include "fileconv/FileList.h"
#include "fileconv/RunHost.h"
#include "fileconv/Settings.h"

namespace mxt::fileconv {

// A converted copy for the viewer, or why there is none.
struct ViewCopy {
  enum class Outcome { Made, NotConverted, Stopped };
  Outcome outcome = Outcome::NotConverted;
  std::string path;
};

// The run over the input list, and everything that concerns the separate output file.
class ConversionRun {
 public:
  ConversionRun(Settings& settings, FileList& files, RunHost& host);
  ConversionRun(const ConversionRun&) = delete;
  ConversionRun& operator=(const ConversionRun&) = delete;

  // A run is in progress: drops and viewer commands are refused.
  bool Busy() const { return busy_; }
  // The last run reached every input entry, and none has come since.
  bool AllDone() const;
  // The user asked to stop after the current file.
  void RequestAbort() { abort_ = true; }

  // Errors end the run, with the entry in hand "Aborted.", and propagate after the window
  // is restored; a stop signal ends it as an error before the next file. False when a check
  // before it refused the run.
  bool ConvertAll();
  // The convert button: starts a run, and during one asks it to stop.
  void ConvertButtonClicked();

  // False, after a warning, when the output file would receive a second kanji code.
  bool CheckOutputCode();
  // False, after a warning, when the output file is one of the input files under another
  // name (a link, or the same folder mounted elsewhere): it would be emptied first.
  bool CheckOutputIsNoInput();
  // After a complete run: asks before everything is converted again.
  bool ConfirmReconversion();

  // Converts input entry `index` into a temporary copy for the viewer under the current
  // settings; the source is never touched. It shows how far it is as a run does and, like a
  // run, can be stopped; a stopped copy is removed.
  ViewCopy ConvertForView(std::size_t index);

  // Whether `path` may become the output file; warns when it is an input file or its folder
  // is missing.
  bool AcceptOutputFile(const std::string& path);
  // Makes `path` the output file: output-to-file mode with a new, empty output entry.
  void UseOutputFile(const std::string& path);
  // The output file named on the command line; rejections set CommandLineError.
  void SetOutputFile(const std::string& path);

  // The numbers temporary names are drawn from, for tests.
  void SetTempNumbers(TempNumberSource draw) { conversion_.SetTempNumbers(std::move(draw)); }

 private:
  // Where a file stands in the run: the how-manieth of how many.
  struct RunPosition {
    std::size_t number;
    std::size_t count;
  };

  void ConvertEntry(std::size_t index, RunPosition position);
  void ConvertOpenEntry(std::size_t index, RunPosition position);
  void ConvertAndClose();
  void WatchBlocks(bool stoppable);
  void RejectOutputFile(const std::string& text, MessageKind kind);
  const char* OutputRefusal(const std::string& path) const;

  Settings& settings_;
  FileList& files_;
  RunHost& host_;
  FileConversion conversion_;
  bool busy_ = false;
  bool abort_ = false;
  // Set around every run, so that the convert button never starts one inside another.
  bool running_ = false;
};

}  // namespace mxt::fileconv
