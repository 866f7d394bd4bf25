#include "fileconv/FileEntry.h"

#include <array>
#include <utility>

#include "fileconv/PathText.h"
#include "platform/FileIdentity.h"

namespace mxt::fileconv {

namespace {

using engine::KanjiCode;

constexpr std::array<std::string_view, 17> kStatusTexts = {
    "File not found.",
    "Is not a file.",
    "Is not a file.",
    "File is read only.",
    "File is empty.",
    "File access denied. Maybe file is being used.",
    "May be binary file.",
    "Shift-JIS code already exists.",
    "EUC already exists.",
    "JIS code already exists.",
    "No KANJI code exists.",
    "Cannot identify KANJI code.",
    "Nothing to do.",
    "",
    "May be UTF-8 file.",
    "Has characters the output code cannot hold.",
    "Became a symbolic link after it was listed.",
};

}  // namespace

std::string_view StatusText(SkipReason reason) {
  return kStatusTexts[static_cast<std::size_t>(reason)];
}

std::optional<FileImage> ImageForSkip(SkipReason reason) {
  switch (reason) {
    case SkipReason::FileNotFound:
    case SkipReason::VolumeLabel:
      return FileImage::IsntFileImage;
    case SkipReason::Directory:
      return FileImage::DirImage;
    case SkipReason::Binary:
      return ImageForCode(KanjiCode::Binary);
    case SkipReason::AlreadyShiftJIS:
      return ImageForCode(KanjiCode::ShiftJIS);
    case SkipReason::AlreadyEUC:
      return ImageForCode(KanjiCode::EUC);
    case SkipReason::AlreadyJIS:
      return ImageForCode(KanjiCode::JIS);
    case SkipReason::NoKanji:
      return ImageForCode(KanjiCode::Ascii);
    case SkipReason::CannotIdentify:
      return ImageForCode(KanjiCode::Unknown);
    case SkipReason::UTF8:
      return ImageForCode(KanjiCode::UTF8);
    default:
      return std::nullopt;
  }
}

FileImage ImageForCode(KanjiCode code) {
  switch (code) {
    case KanjiCode::ShiftJIS:
      return FileImage::ShiftJISFileImage;
    case KanjiCode::EUC:
      return FileImage::EUCFileImage;
    case KanjiCode::JIS:
      return FileImage::JISFileImage;
    case KanjiCode::Ascii:
      return FileImage::AsciiFileImage;
    case KanjiCode::Unknown:
    case KanjiCode::UTF8:
      return FileImage::CantIdentFileImage;
    case KanjiCode::Binary:
      return FileImage::BinaryFileImage;
  }
  return FileImage::UnknownFileImage;
}

FileImage ImageForOutputCode(std::uint8_t outputCode) {
  if (outputCode > engine::kOutputJIS) return FileImage::UnknownFileImage;
  return ImageForCode(static_cast<KanjiCode>(outputCode + 1));
}

FileImage ImageAfterConversion(KanjiCode detected, std::uint8_t outputCode, bool outputToFile) {
  if (outputToFile || detected == KanjiCode::Ascii || detected == KanjiCode::Unknown) {
    return ImageForCode(detected);
  }
  return ImageForOutputCode(outputCode);
}

FileEntry::FileEntry(std::string path)
    : Path(std::move(path)), Name(FileNamePart(Path)), DisplayName(Name) {}

FileEntry FileEntry::InputEntry(std::string path) {
  FileEntry entry(std::move(path));
  const auto listed = platform::EntryIdentity(entry.Path);
  entry.ListedAsLink = listed && listed->kind == platform::FileKind::Link;
  return entry;
}

FileEntry FileEntry::OutputEntry(std::string path) {
  FileEntry entry(std::move(path));
  entry.Code = kNoKanjiWritten;
  return entry;
}

std::string ResultCodeText(std::uint8_t code) {
  static constexpr const char* kNames[] = {"Shift-JIS", "EUC", "JIS"};
  const unsigned in = code & 0x0F;
  const unsigned out = code >> 4;
  switch (in) {
    case 1:
    case 2:
    case 3: {
      std::string text = kNames[in - 1];
      if (out <= 2 && out != in - 1) text += std::string(" to ") + kNames[out];
      return text;
    }
    case 4:
      return "Ascii";
    case 5:
      return "Unknown";
    case 6:
      return "Binary";
    case 7:
      return "UTF-8";
    default:
      return "";
  }
}

std::string StatusColumns(const FileEntry& entry, ListId list) {
  if (list == ListId::Output) {
    static constexpr const char* kCodes[] = {"Shift-JIS", "EUC", "JIS"};
    if (entry.State != RunResult::Converted) return "";
    return std::string("Output:\t") + (entry.Code <= 2 ? kCodes[entry.Code] : "");
  }
  switch (entry.State) {
    case RunResult::Aborted:
      return "Aborted.";
    case RunResult::Converted:
      return "Converted:\t" + ResultCodeText(entry.Code);
    case RunResult::Skipped:
      return "Skipped:\t" + std::string(StatusText(entry.Reason));
    default:
      return "";
  }
}

}  // namespace mxt::fileconv
