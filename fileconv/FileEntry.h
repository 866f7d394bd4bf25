#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/KanjiCode.h"

namespace mxt::fileconv {

enum class RunResult : std::uint8_t {
  None = 0,
  Ready = 1,
  Aborted = 2,
  Converted = 3,
  Skipped = 4,
};

enum class SkipReason : std::uint8_t {
  FileNotFound = 0,
  VolumeLabel = 1,
  Directory = 2,
  ReadOnly = 3,
  Empty = 4,
  AccessDenied = 5,
  Binary = 6,
  AlreadyShiftJIS = 7,
  AlreadyEUC = 8,
  AlreadyJIS = 9,
  NoKanji = 10,
  CannotIdentify = 11,
  NothingToDo = 12,
  None = 13,
  AlreadyUTF8 = 14,
  Unrepresentable = 15,   // a character the output code has no place for
  BecameLink = 16,        // a symbolic link now, where a file was listed
  BackupExists = 17,      // NAME~, which a backup would take, is there already
  FolderUnreadable = 18,  // a folder to search that could not be read
};

// The status text of a skipped entry; empty for None.
std::string_view StatusText(SkipReason reason);

// The ten icons of the file lists.
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
  UTF8FileImage,
};

// The output entry's Code while no kanji text has been written into the file: no output
// code has this number.
inline constexpr std::uint8_t kNoKanjiWritten = 15;

// The image of an entry skipped for `reason`: nothing when it keeps the one it has.
std::optional<FileImage> ImageForSkip(SkipReason reason);
// The image of a file found to be in `code` (Shift-JIS .. UTF-8).
FileImage ImageForCode(engine::KanjiCode code);
// The image of text in the output code 0..3 (Shift-JIS, EUC, JIS, UTF-8); kNoKanjiWritten
// shows the unknown image.
FileImage ImageForOutputCode(std::uint8_t outputCode);
// The image of an input entry after its conversion: in overwrite mode the file now holds
// the output code, written to a separate file it keeps its own.
FileImage ImageAfterConversion(engine::KanjiCode detected, std::uint8_t outputCode,
                               bool outputToFile);

enum class ListId { Input = 0, Output = 1 };

// One entry of a file list.
class FileEntry {
 public:
  // Notes whether `path` is a symbolic link now, as it is listed.
  static FileEntry InputEntry(std::string path);
  static FileEntry OutputEntry(std::string path);

  std::string Path;
  std::string Name;
  // The name as stored on disk, when Name was re-cased for display.
  std::string DiskName;
  std::string DisplayName;
  // Name's width in the list font, as last measured; 0 when it cannot be measured.
  int NameWidth = 0;
  FileImage Bitmap = FileImage::UnknownFileImage;
  RunResult State = RunResult::None;
  SkipReason Reason = SkipReason::FileNotFound;
  // Input entry: low 4 bits the code decided for the file, high 4 bits the output code.
  // Output entry: the output code of the kanji text in the file, or kNoKanjiWritten.
  std::uint8_t Code = 0;
  // Listed as a symbolic link, the entry is followed at its turn; any other entry is never
  // opened through a link put in its place since.
  bool ListedAsLink = false;

 private:
  explicit FileEntry(std::string path);
};

// "Shift-JIS to EUC" and the like, from an input entry's Code.
std::string ResultCodeText(std::uint8_t code);
// An entry's status after its name, as the list shows it: empty until it has been
// processed.
std::string StatusColumns(const FileEntry& entry, ListId list);

}  // namespace mxt::fileconv
