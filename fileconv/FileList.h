#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "fileconv/FileEntry.h"
#include "fileconv/NameColumn.h"
#include "fileconv/PathIndex.h"
#include "fileconv/RunHost.h"

namespace mxt::fileconv {

// The two lists of the main window, which own their entries: the input files, found by
// path through an index, and the one separate output file; with the name column they are
// shown in.
class FileList {
 public:
  FileList() = default;
  FileList(const FileList&) = delete;
  FileList& operator=(const FileList&) = delete;

  const std::vector<std::unique_ptr<FileEntry>>& Inputs() const { return inputs_; }
  FileEntry& Input(std::size_t index) const { return *inputs_[index]; }
  // Null in overwrite mode.
  FileEntry* Output() const { return output_.get(); }
  // The input entry listed under `path` (in any spelling of the same file), or null.
  FileEntry* FindInput(std::string_view path) const;

  // Adds one path, unless it is listed already (silently) or is the output file (with a
  // warning). `diskName` is its last component as the disk holds it, when the list shows
  // it re-cased. True when added.
  bool Add(std::string path, std::string diskName, RunHost& host);
  // Adds the paths chosen or dropped together, and tells the host. Returns how many were
  // added.
  std::size_t AddBatch(const std::vector<std::string>& paths, RunHost& host);
  // Empties the input list.
  void Clear();

  // A new, empty output entry for `path`.
  FileEntry& SetOutput(std::string path, RunHost& host);
  void RemoveOutput() { output_.reset(); }
  // After a run: the output entry shows the name its file has on disk.
  void RefreshOutput(RunHost& host);

  const NameColumn& Column() const { return column_; }
  // After the list font changed: the column and every name measured anew.
  void MeasureNames(RunHost& host);
  // After names came or went, or names began or ceased to be shown whole: the status columns
  // follow the widest name of both lists when `namesWhole`. True when they moved and the
  // lists must be drawn again.
  bool FitStatusColumns(bool namesWhole);

 private:
  void MeasureName(FileEntry& entry, RunHost& host) const;

  std::vector<std::unique_ptr<FileEntry>> inputs_;
  std::unique_ptr<FileEntry> output_;
  PathIndex index_;
  NameColumn column_;
};

// Tells how many of the `given` names of a batch were not added, when any.
void ReportNotAdded(std::size_t given, std::size_t added, MessageHost& host);

}  // namespace mxt::fileconv
