#include "tests/support/EngineRun.h"

namespace mxt::testing {

engine::StreamResult StreamFile(engine::Converter& converter, platform::File& input,
                                platform::File& output, const EngineConversion& how) {
  engine::ConversionBuffers& buffers = converter.Buffers();
  buffers.InputFile = &input;
  buffers.OutputFile = &output;
  buffers.ReadAhead = true;
  buffers.TotalRead = 0;
  output.Seek(output.Size());
  if (converter.RefillInput()) return engine::StreamResult::Complete;
  buffers.DetectedCode = how.detected;
  buffers.NewlineMode = how.newlineMode;
  const engine::StreamResult result = converter.StreamInputToOutput(how.options);
  if (result != engine::StreamResult::Complete) converter.FinishOutput();
  return result;
}

std::string ConvertInMemory(engine::Converter& converter, const std::string& input,
                            const EngineConversion& how, engine::StreamResult* result) {
  MemoryFile in(input);
  MemoryFile out;
  const engine::StreamResult ended = StreamFile(converter, in, out, how);
  if (result) *result = ended;
  return out.Content();
}

}  // namespace mxt::testing
