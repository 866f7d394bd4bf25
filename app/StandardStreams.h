#pragma once

#include "app/Session.h"
#include "fileconv/FileEntry.h"

namespace mxt::app {

// What a batch run does for "-": standard input converted into standard output. The entry
// holds the result; a dry run reads the input and writes nothing.
fileconv::FileEntry ConvertStandardStreams(Session& session);

// Whether the run failed for the streams: their text could not be converted (binary data,
// a character with no place in the output code) or an error ended it.
bool StandardStreamsFailed(const fileconv::FileEntry& entry);

}  // namespace mxt::app
