#include "app/StandardStreams.h"

#include <unistd.h>

#include "app/CommandLine.h"
#include "app/Startup.h"
#include "fileconv/ConversionDecision.h"
#include "fileconv/StreamFilter.h"
#include "platform/OsFile.h"

namespace mxt::app {

fileconv::FileEntry ConvertStandardStreams(Session& session) {
  fileconv::FileEntry entry = fileconv::FileEntry::InputEntry(std::string(kStandardStreams));
  // Borrowed from the process: the streams stay open for whoever writes after the run.
  platform::OsFile input = platform::OsFile::Adopt(::dup(STDIN_FILENO), "-");
  platform::OsFile output = session.settings.DryRun
                                ? platform::OsFile::Create("/dev/null")
                                : platform::OsFile::Adopt(::dup(STDOUT_FILENO), "-");
  input.WidenPipe();
  output.WidenPipe();
  try {
    fileconv::StreamFilter(session.settings).Convert(input, output, entry, session.host);
    output.Close();
  } catch (const std::exception& error) {
    entry.State = fileconv::RunResult::Aborted;
    ShowError(error, session.host);
  }
  return entry;
}

bool StandardStreamsFailed(const fileconv::FileEntry& entry) {
  if (entry.State == fileconv::RunResult::Aborted) return true;
  return entry.State == fileconv::RunResult::Skipped &&
         entry.Reason != fileconv::SkipReason::Empty && !fileconv::NothingToConvert(entry.Reason);
}

}  // namespace mxt::app
