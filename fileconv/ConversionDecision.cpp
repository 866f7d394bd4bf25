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

// The first newline decides. The whole first block read is looked through, as a first line
// may be longer than the part classified; a CR that ends a text shorter than the block
// stands alone.
NewlineCode FirstNewline(const std::uint8_t* block, std::size_t bytesRead) {
  const NewlineCode found = engine::DetectNewlineCode(block, static_cast<std::uint32_t>(bytesRead));
  const bool textEnds = bytesRead < engine::InputBufferSize;
  if (found == NewlineCode::DontCare && textEnds && bytesRead > 0 && block[bytesRead - 1] == '\r')
    return NewlineCode::CR;
  return found;
}

NewlineCode NewlineMode(const Settings& settings, const std::uint8_t* block, std::size_t bytesRead,
                        bool binary) {
  if (settings.ForceNewlineConv) return settings.OutputNewlineCode;
  if (binary || settings.OutputNewlineCode == NewlineCode::DontCare) return NewlineCode::DontCare;
  const NewlineCode found = FirstNewline(block, bytesRead);
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
      NewlineMode(settings, block, bytesRead, binary)};
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
