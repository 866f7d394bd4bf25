#include "fileconv/TextPosition.h"

#include <algorithm>
#include <cstdio>

namespace mxt::fileconv {

using engine::KanjiCode;

TextPosition PositionInText(platform::File& file, std::int64_t offset, KanjiCode code,
                            std::uint8_t* buffer, std::size_t bufferSize) {
  engine::TextPositionCounter counter(code);
  file.Seek(0);
  std::int64_t read = 0;
  while (read < offset) {
    const auto wanted = static_cast<std::size_t>(
        std::min<std::int64_t>(offset - read, static_cast<std::int64_t>(bufferSize)));
    const std::size_t count = file.ReadBlock(buffer, wanted);
    if (count == 0) break;
    read += static_cast<std::int64_t>(count);
    counter.Count({buffer, count});
  }
  return counter.Next();
}

std::string_view CodeName(KanjiCode code) {
  switch (code) {
    case KanjiCode::ShiftJIS:
      return "Shift-JIS";
    case KanjiCode::EUC:
      return "EUC";
    case KanjiCode::JIS:
      return "JIS";
    case KanjiCode::UTF8:
      return "UTF-8";
    default:
      return "ASCII";
  }
}

std::string UnconvertibleNote(const std::string& name, const engine::UnconvertibleReport& report,
                              std::optional<TextPosition> position, KanjiCode input,
                              KanjiCode output, bool stopped) {
  char where[64];
  if (position) {
    std::snprintf(where, sizeof where, "line %lld, column %lld",
                  static_cast<long long>(position->line), static_cast<long long>(position->column));
  } else {
    std::snprintf(where, sizeof where, "byte %lld", static_cast<long long>(report.firstOffset + 1));
  }
  char character[64];
  if (report.firstCodePoint == engine::kNoCharacter) {
    std::snprintf(character, sizeof character, "bytes that are no %s character",
                  std::string(CodeName(input)).c_str());
  } else {
    std::snprintf(character, sizeof character, "U+%04X",
                  static_cast<unsigned>(report.firstCodePoint));
  }
  if (stopped) {
    const std::string what =
        report.firstCodePoint == engine::kNoCharacter
            ? std::string(character)
            : std::string(character) + " has no place in " + std::string(CodeName(output));
    return name + ": " + where + ": " + what + ".";
  }
  const std::string count = std::to_string(report.count);
  return name + ": " + count + (report.count == 1 ? " character" : " characters") +
         " replaced, the first at " + where + " (" + character + ").";
}

std::string NoteOnUnconvertibles(const std::string& name, engine::Converter& converter,
                                 platform::File& text, std::uint8_t outputKanjiCode, bool stopped) {
  const engine::UnconvertibleReport& report = converter.Unconvertibles();
  if (report.count == 0) return {};
  engine::ConversionBuffers& buffers = converter.Buffers();
  std::optional<TextPosition> position = report.firstPosition;
  try {
    if (!position)
      position = PositionInText(text, report.firstOffset, buffers.DetectedCode,
                                buffers.InputBuffer.get(), engine::InputBufferSize);
  } catch (const std::exception&) {
  }
  return UnconvertibleNote(name, report, position, buffers.DetectedCode,
                           engine::CodeOfOutput(outputKanjiCode), stopped);
}

}  // namespace mxt::fileconv
