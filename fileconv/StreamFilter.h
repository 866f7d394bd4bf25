#pragma once

#include <cstdint>
#include <optional>

#include "engine/Converter.h"
#include "fileconv/FileEntry.h"
#include "fileconv/RunHost.h"
#include "fileconv/Settings.h"
#include "platform/OsFile.h"

namespace mxt::fileconv {

// A stream (standard input) converted into another (standard output) as a file is: the
// same classification of its beginning, the same options. Text that needs no conversion
// is copied through unchanged. Where the conversion may still be refused at the end (a
// character with no place in the output code) the text refused is cut off a regular file
// written at its end again, as is one that failed; into a pipe or a file written over from
// within, and where its end may be taken back (a trailing Ctrl-Z), it waits in an unnamed
// temporary file: a refused stream writes nothing.
class StreamFilter {
 public:
  explicit StreamFilter(const Settings& settings) : settings_(settings) {}

  // The result goes into `entry` as a file's would; a note on the text goes to the host.
  void Convert(platform::OsFile& input, platform::OsFile& output, FileEntry& entry, RunHost& notes);

 private:
  void CopyThrough(platform::File& input, platform::OsFile& output);
  // Into the output where it ends (`outputEnd`, of a regular file), or held until the end.
  void WriteConverted(platform::OsFile& input, platform::OsFile& output,
                      std::optional<std::int64_t> outputEnd, FileEntry& entry, RunHost& notes);

  const Settings& settings_;
  engine::Converter converter_;
};

}  // namespace mxt::fileconv
