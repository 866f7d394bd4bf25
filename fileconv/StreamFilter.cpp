#include "fileconv/StreamFilter.h"

#include <algorithm>

#include "fileconv/ConversionDecision.h"
#include "fileconv/MessageTexts.h"
#include "fileconv/TextPosition.h"
#include "fileconv/UserError.h"
#include "platform/FileSystem.h"
#include "platform/StopSignals.h"

namespace mxt::fileconv {

namespace {

// A pipe gives what it has: the blocks are filled as a file's are, so that the beginning
// is classified from as many bytes as a file's.
class WholeBlocks final : public platform::File {
 public:
  explicit WholeBlocks(platform::OsFile& stream) : stream_(stream) {}

  std::size_t ReadBlock(void* data, std::size_t size) override {
    if (platform::StopSignalled()) throw UserError(message::kInterrupted);
    auto* bytes = static_cast<std::uint8_t*>(data);
    std::size_t filled = 0;
    while (filled < size) {
      const std::size_t count = stream_.ReadBlock(bytes + filled, size - filled);
      if (count == 0) break;
      filled += count;
    }
    return filled;
  }
  void WriteBlock(const void* data, std::size_t size) override { stream_.WriteBlock(data, size); }
  std::int64_t Size() override { return stream_.Size(); }
  void Seek(std::int64_t position) override { stream_.Seek(position); }
  void Truncate() override { stream_.Truncate(); }

 private:
  platform::OsFile& stream_;
};

void CutBack(platform::OsFile& output, std::int64_t end) noexcept {
  try {
    output.Seek(end);
    output.Truncate();
  } catch (const std::exception&) {
    // What stopped the text says more than this.
  }
}

void Skip(FileEntry& entry, SkipReason reason) {
  entry.State = RunResult::Skipped;
  entry.Reason = reason;
}

}  // namespace

void StreamFilter::Convert(platform::OsFile& input, platform::OsFile& output, FileEntry& entry,
                           RunHost& notes) {
  WholeBlocks blocks(input);
  engine::ConversionBuffers& buffers = converter_.Buffers();
  buffers.InputFile = &blocks;
  struct Detach {
    engine::ConversionBuffers& buffers;
    ~Detach() { buffers.InputFile = buffers.OutputFile = nullptr; }
  } detach{buffers};
  buffers.TotalRead = 0;
  if (converter_.RefillInput()) return Skip(entry, SkipReason::Empty);
  const ConversionDecision decision = DecideConversionOf(
      settings_, buffers.InputBuffer.get(), static_cast<std::size_t>(buffers.BytesInLastBlock));
  if (decision.skip != SkipReason::None && !NothingToConvert(decision.skip))
    return Skip(entry, decision.skip);
  // A regular file written at its end takes back a refused or failed text by being cut
  // there; a pipe, or a file written over from within, cannot.
  const std::optional<std::int64_t> outputEnd = output.EndOfRegularFile();
  // The input itself is read whole before it is written only when written over from its
  // start through a handle of its own: appended to, or through the handle it is read by, it
  // would be read as it is written.
  if (platform::SameFile(input, output) && (outputEnd || output.Position() != 0))
    throw UserError(output.Path() + message::kCannotOpen);
  try {
    if (NothingToConvert(decision.skip)) {
      CopyThrough(blocks, output);
      return Skip(entry, decision.skip);
    }
    buffers.DetectedCode = decision.code;
    buffers.NewlineMode = decision.newlines;
    WriteConverted(input, output, outputEnd, entry, notes);
  } catch (...) {
    if (outputEnd) CutBack(output, *outputEnd);
    throw;
  }
}

// The block already read, then the rest as it comes.
void StreamFilter::CopyThrough(platform::File& input, platform::OsFile& output) {
  engine::ConversionBuffers& buffers = converter_.Buffers();
  std::uint8_t* block = buffers.InputBuffer.get();
  std::size_t count = static_cast<std::size_t>(buffers.BytesInLastBlock);
  do {
    output.WriteBlock(block, count);
  } while ((count = input.ReadBlock(block, engine::InputBufferSize)) > 0);
}

void StreamFilter::WriteConverted(platform::OsFile& input, platform::OsFile& output,
                                  std::optional<std::int64_t> outputEnd, FileEntry& entry,
                                  RunHost& notes) {
  // Only a pipe may take the text as it comes, and only where none of it can be refused: a
  // file written over from within would lose what it held, and may be the input itself.
  const bool mayBeRefused = settings_.Unconvertible == engine::Unconvertible::Skip;
  const bool held =
      settings_.RemoveCtrlZ ||
      (!outputEnd && (mayBeRefused || output.Identity().kind == platform::FileKind::Regular));
  std::optional<platform::OsFile> waiting;
  if (held) waiting = platform::OsFile::CreateUnnamed(settings_.TempDir);
  engine::ConversionBuffers& buffers = converter_.Buffers();
  buffers.OutputFile = held ? &*waiting : &output;
  engine::StreamOptions options = StreamOptionsOf(settings_, 0, settings_.RemoveCtrlZ);
  options.locateUnconvertibles = true;  // a pipe cannot be read again to find the line
  const engine::StreamResult result = converter_.StreamInputToOutput(options);
  const bool stopped = result == engine::StreamResult::Unrepresentable;
  const std::string note =
      NoteOnUnconvertibles("-", converter_, input, settings_.OutputKanjiCode, stopped);
  if (!note.empty()) notes.FileNote(note);
  if (stopped) {
    if (!held) CutBack(output, *outputEnd);
    return Skip(entry, SkipReason::Unrepresentable);
  }
  if (held) {
    waiting->Seek(0);
    waiting->SendRestTo(output);
  }
  entry.State = RunResult::Converted;
  entry.Reason = SkipReason::None;
  entry.Code = ResultCode(buffers.DetectedCode, settings_.OutputKanjiCode);
}

}  // namespace mxt::fileconv
