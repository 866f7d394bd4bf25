#include "tests/support/EngineRun.h"

#include "engine/ConversionBuffers.h"

namespace mxt::testing {

using engine::Buffers;

ScopedConversionBuffers::ScopedConversionBuffers() {
  engine::AllocateConversionBuffers();
}
ScopedConversionBuffers::~ScopedConversionBuffers() {
  engine::FreeConversionBuffers();
}

void StreamFile(platform::File& input, platform::File& output, const EngineConversion& how) {
  Buffers.InputFile = &input;
  Buffers.OutputFile = &output;
  Buffers.TotalRead = 0;
  output.Seek(output.Size());
  if (engine::RefillInput()) return;
  Buffers.DetectedCode = how.detected;
  Buffers.NewlineMode = how.newlineMode;
  engine::StreamInputToOutput(how.options);
}

std::string ConvertInMemory(const std::string& input, const EngineConversion& how) {
  MemoryFile in(input);
  MemoryFile out;
  StreamFile(in, out, how);
  return out.Content();
}

}  // namespace mxt::testing
