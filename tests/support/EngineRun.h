#pragma once

#include <cstdint>
#include <string>

#include "engine/KanjiCode.h"
#include "engine/StreamConversion.h"
#include "tests/support/MemoryFile.h"

namespace mxt::testing {

// Allocates the conversion buffers for one test and frees them afterwards.
class ScopedConversionBuffers {
 public:
  ScopedConversionBuffers();
  ~ScopedConversionBuffers();
  ScopedConversionBuffers(const ScopedConversionBuffers&) = delete;
  ScopedConversionBuffers& operator=(const ScopedConversionBuffers&) = delete;
};

struct EngineConversion {
  engine::KanjiCode detected = engine::KanjiCode::ShiftJIS;
  engine::NewlineCode newlineMode = engine::NewlineCode::DontCare;
  engine::StreamOptions options{engine::kOutputShiftJIS, false, false};
};

// Streams `input` through the buffers as one file is converted, appending to
// `output`; the buffers must be allocated. A conversion stopped at a character the output
// code cannot hold still writes out what it had converted, to show where it stopped.
engine::StreamResult StreamFile(platform::File& input, platform::File& output,
                                const EngineConversion& how);
std::string ConvertInMemory(const std::string& input, const EngineConversion& how,
                            engine::StreamResult* result = nullptr);

}  // namespace mxt::testing
