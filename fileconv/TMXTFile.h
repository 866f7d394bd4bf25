#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/KanjiCode.h"

namespace mxt::fileconv {

enum class ConversionResult : std::uint8_t {
  crNone = 0,
  crReady = 1,
  crAborted = 2,
  crConverted = 3,
  crSkipped = 4,
};

enum class SkipReason : std::uint8_t {
  srFileNotFound = 0,
  srVolumeLabel = 1,
  srDirectory = 2,
  srReadOnly = 3,
  srEmpty = 4,
  srAccessDenied = 5,
  srBinary = 6,
  srAlreadyShiftJIS = 7,
  srAlreadyEUC = 8,
  srAlreadyJIS = 9,
  srNoKanji = 10,
  srCannotIdentify = 11,
  srNothingToDo = 12,
  srNone = 13,
  srUTF8 = 14,             // left alone: converting it as a kanji code would garble it
  srUnrepresentable = 15,  // a character the output code has no place for
};

// The status text of a skipped entry; empty for srNone.
std::string_view StatusText(SkipReason reason);

// The nine icons of the file lists.
enum class FileImage : std::uint8_t {
  UnknownFileImage,
  IsntFileImage,
  DirImage,
  BinaryFileImage,
  ShiftJISFileImage,
  EUCFileImage,
  JISFileImage,
  AsciiFileImage,
  CantIdentFileImage,
};

// The output entry's Code while no kanji text has been written into the file.
inline constexpr std::uint8_t kNoKanjiWritten = 3;

// The image of an entry skipped for `reason`: nothing when it keeps the one it has.
std::optional<FileImage> ImageForSkip(SkipReason reason);
// The image of a file found to be in `code` (Shift-JIS .. UTF-8).
FileImage ImageForCode(engine::KanjiCode code);
// The image of text in the output code 0..2 (Shift-JIS, EUC, JIS); kNoKanjiWritten shows
// the unknown image.
FileImage ImageForOutputCode(std::uint8_t outputCode);
// The image of an input entry after its conversion: in overwrite mode the file now holds
// the output code, written to a separate file it keeps its own.
FileImage ImageAfterConversion(engine::KanjiCode detected, std::uint8_t outputCode,
                               bool outputToFile);

// One entry of a file list.
class TMXTFile {
 public:
  static TMXTFile InputEntry(std::string path);
  static TMXTFile OutputEntry(std::string path);

  std::string Path;
  std::string Name;
  // The name as stored on disk, when Name was re-cased for display.
  std::string DiskName;
  std::string DisplayName;
  FileImage Bitmap = FileImage::UnknownFileImage;
  // Written only by the path index.
  TMXTFile* Next = nullptr;
  // The hash of the entry's key before the bucket is taken from it; also written only by
  // the path index, which compares it first and so looks at few paths in a long chain.
  std::uint32_t KeyHash = 0;
  ConversionResult State = ConversionResult::crNone;
  SkipReason Reason = SkipReason::srFileNotFound;
  // Input entry: low 4 bits the code decided for the file, high 4 bits the output code.
  // Output entry: the output code of the kanji text in the file, or kNoKanjiWritten.
  std::uint8_t Code = 0;

 private:
  explicit TMXTFile(std::string path);
};

}  // namespace mxt::fileconv
