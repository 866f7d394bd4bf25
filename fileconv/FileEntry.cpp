#include "fileconv/FileEntry.h"

#include <array>
#include <utility>

#include "fileconv/PathText.h"
#include "fileconv/TextPosition.h"
#include "platform/FileIdentity.h"

namespace mxt::fileconv {

namespace {

using engine::KanjiCode;

constexpr std::array<std::string_view, 19> kStatusTexts = {
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
    "UTF-8 already exists.",
    "Has characters the output code cannot hold.",
    "Became a symbolic link after it was listed.",
    "Its backup NAME~ already exists.",
    "Folder cannot be read.",
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
    case SkipReason::AlreadyUTF8:
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
      return FileImage::CantIdentFileImage;
    case KanjiCode::UTF8:
      return FileImage::UTF8FileImage;
    case KanjiCode::Binary:
      return FileImage::BinaryFileImage;
  }
  return FileImage::UnknownFileImage;
}

FileImage ImageForOutputCode(std::uint8_t outputCode) {
  if (outputCode > engine::kOutputUTF8) return FileImage::UnknownFileImage;
  return ImageForCode(engine::CodeOfOutput(outputCode));
}

FileImage ImageAfterConversion(KanjiCode detected, std::uint8_t outputCode, bool outputToFile) {
  if (outputToFile || detected == KanjiCode::Ascii || detected == KanjiCode::Unknown) {
    return ImageForCode(detected);
  }
  return ImageForOutputCode(outputCode);
}

FileEntry::FileEntry(std::string path)
    : Path(std::move(path)), Name(ShownFileName(Path)), DisplayName(Name) {}

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
  const auto in = static_cast<KanjiCode>(code & 0x0F);
  const auto outputCode = static_cast<std::uint8_t>(code >> 4);
  const KanjiCode out = engine::CodeOfOutput(outputCode);
  switch (in) {
    case KanjiCode::ShiftJIS:
    case KanjiCode::EUC:
    case KanjiCode::JIS:
    case KanjiCode::UTF8: {
      std::string text(CodeName(in));
      if (outputCode <= engine::kOutputUTF8 && out != in)
        text += " to " + std::string(CodeName(out));
      return text;
    }
    case KanjiCode::Ascii:
      return "Ascii";
    case KanjiCode::Unknown:
      return "Unknown";
    case KanjiCode::Binary:
      return "Binary";
  }
  return "";
}

std::string StatusColumns(const FileEntry& entry, ListId list) {
  if (list == ListId::Output) {
    if (entry.State != RunResult::Converted) return "";
    return std::string("Output:\t") + (entry.Code <= engine::kOutputUTF8
                                           ? std::string(CodeName(engine::CodeOfOutput(entry.Code)))
                                           : std::string());
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
