#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/Converter.h"
#include "engine/KanjiCode.h"
#include "fileconv/FileEntry.h"
#include "fileconv/Settings.h"

namespace mxt::fileconv {

// What the beginning of a text decides for its conversion under the settings.
struct ConversionDecision {
  // Binary for binary data.
  engine::KanjiCode code = engine::KanjiCode::Unknown;
  // DontCare leaves the newlines as they are.
  engine::NewlineCode newlines = engine::NewlineCode::DontCare;
  // None when the text is to be converted; else why not: binary data, or nothing to do.
  SkipReason skip = SkipReason::None;
};

// Decides from the first block read of a text, `bytesRead` bytes: the classification looks
// at no more than its own block of them.
ConversionDecision DecideConversionOf(const Settings& settings, const std::uint8_t* block,
                                      std::size_t bytesRead);

// The converter's options the settings give, for output that begins at `outputStart`.
engine::StreamOptions StreamOptionsOf(const Settings& settings, std::int64_t outputStart,
                                      bool removeCtrlZ);

// What a converted entry records: the input code in the low four bits, the output above.
std::uint8_t ResultCode(engine::KanjiCode input, std::uint8_t outputKanjiCode);

// The reasons that say the text needs no conversion, as opposed to one that cannot be had.
bool NothingToConvert(SkipReason reason);

}  // namespace mxt::fileconv
