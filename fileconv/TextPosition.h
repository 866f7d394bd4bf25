#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "engine/Converter.h"
#include "engine/KanjiCode.h"
#include "engine/TextPositionCounter.h"
#include "engine/UnicodeRoutines.h"
#include "platform/File.h"

namespace mxt::fileconv {

using engine::TextPosition;

// The position of the byte at `offset` in `file` (read from its start through `buffer`),
// text in `code`.
TextPosition PositionInText(platform::File& file, std::int64_t offset, engine::KanjiCode code,
                            std::uint8_t* buffer, std::size_t bufferSize);

// "Shift-JIS", "EUC", "JIS", "UTF-8".
std::string_view CodeName(engine::KanjiCode code);

// What a file's conversion says of the characters the output code had no place for:
// "<name>: line 3, column 5: U+1F600 has no place in Shift-JIS." for the one that stopped
// it, "<name>: 2 characters replaced, the first at line 3, column 5 (U+1F600)." otherwise.
// Without a position its byte is named instead.
std::string UnconvertibleNote(const std::string& name, const engine::UnconvertibleReport& report,
                              std::optional<TextPosition> position, engine::KanjiCode input,
                              engine::KanjiCode output, bool stopped);

// The note on what `converter` just converted from `text` into `outputKanjiCode`, empty when
// every character had its place. Unless the conversion counted lines, the position is read
// again from `text` (through the converter's input buffer, free by now).
std::string NoteOnUnconvertibles(const std::string& name, engine::Converter& converter,
                                 platform::File& text, std::uint8_t outputKanjiCode, bool stopped);

}  // namespace mxt::fileconv
