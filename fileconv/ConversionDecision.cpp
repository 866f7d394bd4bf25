#include "fileconv/ConversionDecision.h"

#include <algorithm>

#include "engine/ConversionBuffers.h"
#include "engine/TextClassification.h"

namespace mxt::fileconv {

namespace {

using engine::KanjiCode;
using engine::NewlineCode;

SkipReason AlreadyInCode(KanjiCode code) {
  switch (code) {
    case KanjiCode::ShiftJIS:
      return SkipReason::AlreadyShiftJIS;
    case KanjiCode::EUC:
      return SkipReason::AlreadyEUC;
    case KanjiCode::JIS:
      return SkipReason::AlreadyJIS;
    case KanjiCode::UTF8:
      return SkipReason::AlreadyUTF8;
    case KanjiCode::Ascii:
      return SkipReason::NoKanji;
    default:
      return SkipReason::CannotIdentify;
  }
}

// Where the block shows no newline the text may still have some: past the block, where the
// first one's kind is not known, or a CR that ends the text, which stands alone.
NewlineCode NewlineMode(const Settings& settings, const std::uint8_t* block, std::uint32_t length,
                        bool binary, bool textGoesOn) {
  if (settings.ForceNewlineConv) return settings.OutputNewlineCode;
  if (binary || settings.OutputNewlineCode == NewlineCode::DontCare) return NewlineCode::DontCare;
  NewlineCode found = engine::DetectNewlineCode(block, length);
  if (found == NewlineCode::DontCare && textGoesOn) return settings.OutputNewlineCode;
  if (found == NewlineCode::DontCare && length > 0 && block[length - 1] == '\r')
    found = NewlineCode::CR;
  if (found == NewlineCode::DontCare || found == settings.OutputNewlineCode)
    return NewlineCode::DontCare;
  return settings.OutputNewlineCode;
}

// A character cut off at the end of the block is one the text goes on with only when the
// text is longer than the block: a file of exactly its size may end on half a character.
KanjiCode CodeOf(const Settings& settings, const std::uint8_t* block, std::uint32_t length,
                 bool textGoesOn) {
  if (settings.InputKanjiCode != 0) return FixedInputCode(settings.InputKanjiCode);
  if (engine::IsUTF8Text(block, length, textGoesOn)) return KanjiCode::UTF8;
  const KanjiCode detected = engine::DetectKanjiCode(block, length);
  if (detected == KanjiCode::Unknown && settings.OutputToFile) return KanjiCode::ShiftJIS;
  return detected;
}

}  // namespace

// Binary data is never converted, only ever copied as it stands. A fixed input code says
// the text is in that code.
ConversionDecision DecideConversionOf(const Settings& settings, const std::uint8_t* block,
                                      std::size_t bytesRead) {
  const auto length =
      static_cast<std::uint32_t>(std::min<std::size_t>(bytesRead, engine::ClassificationBlockSize));
  const bool textGoesOn = bytesRead > engine::ClassificationBlockSize;
  const bool binary = settings.InputKanjiCode == 0 && engine::IsBinaryText(block, length);
  if (binary && !settings.OutputToFile)
    return {KanjiCode::Binary, NewlineCode::DontCare, SkipReason::Binary};
  ConversionDecision decision{
      binary ? KanjiCode::Binary : CodeOf(settings, block, length, textGoesOn),
      NewlineMode(settings, block, length, binary, textGoesOn)};
  const KanjiCode code = decision.code;
  const bool same = code == engine::CodeOfOutput(settings.OutputKanjiCode);
  const bool nothingToDo = code == KanjiCode::Ascii || code == KanjiCode::Unknown || same;
  if (!nothingToDo || settings.OutputToFile || decision.newlines != NewlineCode::DontCare)
    return decision;
  if (settings.InputKanjiCode == 0) {
    decision.skip = AlreadyInCode(code);
  } else if (same && settings.OutputKanjiCode != engine::kOutputJIS) {
    decision.skip = SkipReason::NothingToDo;
  }
  return decision;
}

engine::StreamOptions StreamOptionsOf(const Settings& settings, std::int64_t outputStart,
                                      bool removeCtrlZ) {
  return {settings.OutputKanjiCode,
          settings.SevenBitMode,
          removeCtrlZ,
          outputStart,
          settings.EscapeSequence,
          {settings.Mapping, settings.Unconvertible},
          settings.UTF8BOM};
}

std::uint8_t ResultCode(engine::KanjiCode input, std::uint8_t outputKanjiCode) {
  return static_cast<std::uint8_t>((static_cast<std::uint8_t>(input) & 0x0F) |
                                   (outputKanjiCode << 4));
}

bool NothingToConvert(SkipReason reason) {
  switch (reason) {
    case SkipReason::AlreadyShiftJIS:
    case SkipReason::AlreadyEUC:
    case SkipReason::AlreadyJIS:
    case SkipReason::AlreadyUTF8:
    case SkipReason::NoKanji:
    case SkipReason::CannotIdentify:
    case SkipReason::NothingToDo:
      return true;
    default:
      return false;
  }
}

}  // namespace mxt::fileconv
