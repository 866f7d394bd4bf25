#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "fileconv/FileEntry.h"
#include "fileconv/RunHost.h"

namespace mxt::fileconv {

// The two lists of the main window: the input files and the one separate output file.
struct FileLists {
  std::vector<std::unique_ptr<FileEntry>> Inputs;
  std::unique_ptr<FileEntry> Output;
  // The width a name may take before it is shortened.
  int NameColumnWidth = 0;
  // The widest full name measured since the font changed or the list was cleared.
  int LongestNameWidth = 0;
  // Where the status word and the detail after it begin, from the start of a line's text.
  int StatusTabStops[2] = {0, 0};
};

extern FileLists Files;

// Empties both lists and the path index.
void ResetFileLists();

// The longest prefix of whole characters that fits the name column, with "...".
std::string ShortenFileName(std::string_view name, RunHost& host);

// Adds one path, unless it is listed already (silently) or is the output file (with a
// warning). True when added.
bool AddFileToList(std::string path, RunHost& host);

// Adds the paths chosen or dropped together. Returns how many were added.
std::size_t AddFileBatch(const std::vector<std::string>& paths, RunHost& host);
// Tells how many of the `given` names of a batch were not added, when any.
void ReportNotAdded(std::size_t given, std::size_t added, RunHost& host);

void ClearFileList();

// The name column and the tab stops from the list font, as before any name was measured.
void InitTabStops(RunHost& host);
// Moves the tab stops after the widest full name, when names are not shortened; true when
// they moved and the lists must be drawn again.
bool UpdateTabStops();
// The widest measured Name of the input entries; 0 when none can be measured.
int WidestInputName(RunHost& host);
// The measured width of the output entry's Name; 0 without one.
int OutputNameWidth(RunHost& host);
// After the list font changed: the column, the tab stops and every shortened name anew.
void RemeasureNames(ListId list, RunHost& host);

}  // namespace mxt::fileconv
