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

engine::StreamResult StreamFile(platform::File& input, platform::File& output,
                                const EngineConversion& how) {
  Buffers.InputFile = &input;
  Buffers.OutputFile = &output;
  Buffers.TotalRead = 0;
  output.Seek(output.Size());
  if (engine::RefillInput()) return engine::StreamResult::Complete;
  Buffers.DetectedCode = how.detected;
  Buffers.NewlineMode = how.newlineMode;
  const engine::StreamResult result = engine::StreamInputToOutput(how.options);
  if (result != engine::StreamResult::Complete) engine::FlushOutput();
  return result;
}

std::string ConvertInMemory(const std::string& input, const EngineConversion& how,
                            engine::StreamResult* result) {
  MemoryFile in(input);
  MemoryFile out;
  const engine::StreamResult ended = StreamFile(in, out, how);
  if (result) *result = ended;
  return out.Content();
}

}  // namespace mxt::testing
