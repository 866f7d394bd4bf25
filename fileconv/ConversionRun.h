#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "fileconv/FileList.h"
#include "fileconv/RunHost.h"

namespace mxt::fileconv {

// The run over the input list. Errors end it, with the entry in hand "Aborted.", and
// propagate after the window is restored; a stop signal ends it as an error before the
// next file. False when a check before it refused the run.
bool ConvertAll(RunHost& host);

// ConvertAll as every caller runs it: with RunGuard set around it.
bool ConvertAllGuarded(RunHost& host);

// The convert button: during a run it asks the run to stop.
void ConvButtonClick(RunHost& host);

// False, after a warning, when the output file would receive a second kanji code.
bool CheckOutputCode(RunHost& host);
// False, after a warning, when the output file is one of the input files under another
// name (a link, or the same folder mounted elsewhere): it would be emptied first.
bool CheckOutputIsNoInput(RunHost& host);
// After a complete run: asks before everything is converted again.
bool ConfirmReconversion(RunHost& host);

// Converts input entry `index` into a temporary copy for the viewer, named in
// Conversion.TempFileName; the source is never touched.
void ConvertForView(std::size_t index);
// Deletes the viewer's copies; returns how many could not be deleted.
std::size_t DeleteViewerTempFiles();

// Whether `path` may become the output file; warns when it is an input file.
bool AcceptOutputFile(const std::string& path, RunHost& host);
// Makes `path` the output file: output-to-file mode with a new, empty output entry.
void UseOutputFile(const std::string& path, RunHost& host);
// The output file named on the command line; rejections set CommandLineError.
void SetOutputFile(const std::string& path, RunHost& host);
// After a run in output-to-file mode: the output entry shows the name on disk.
void RefreshOutputItem(RunHost& host);

// "Shift-JIS to EUC" and the like, from an input entry's Code.
std::string ResultCodeText(std::uint8_t code);
// An entry's status after its name: empty until it has been processed.
std::string StatusColumns(const FileEntry& entry, ListId list);

}  // namespace mxt::fileconv
