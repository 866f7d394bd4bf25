#pragma once

#include <cstdint>
#include <string>

#include "engine/Converter.h"
#include "engine/KanjiCode.h"
#include "tests/support/MemoryFile.h"

namespace mxt::testing {

struct EngineConversion {
  engine::KanjiCode detected = engine::KanjiCode::ShiftJIS;
  engine::NewlineCode newlineMode = engine::NewlineCode::DontCare;
  engine::StreamOptions options{engine::kOutputShiftJIS, false, false};
};

// Streams `input` through the converter as one file is converted, appending to `output`.
// A conversion stopped at a character the output code cannot hold still writes out what
// it had converted, to show where it stopped.
engine::StreamResult StreamFile(engine::Converter& converter, platform::File& input,
                                platform::File& output, const EngineConversion& how);
std::string ConvertInMemory(engine::Converter& converter, const std::string& input,
                            const EngineConversion& how, engine::StreamResult* result = nullptr);

}  // namespace mxt::testing
