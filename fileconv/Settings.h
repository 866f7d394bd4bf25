#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "engine/KanjiCode.h"
#include "platform/SystemPaths.h"

namespace mxt::fileconv {

// The options of one start of MXT, each with its default. They are read from the store,
// changed by the command line, the options dialog and the toolbar, and written back at
// exit.
struct Settings {
  bool OutputToFile = false;
  // 0 detects the code; 1..3 fix it (numbered as engine::KanjiCode), 4 takes UTF-8.
  std::uint8_t InputKanjiCode = 0;
  // 0 Shift-JIS, 1 EUC, 2 JIS, 3 UTF-8.
  std::uint8_t OutputKanjiCode = engine::kOutputShiftJIS;
  // UTF-8 output begins with a byte-order mark.
  bool UTF8BOM = false;
  engine::CharacterMapping Mapping = engine::CharacterMapping::Windows;
  engine::Unconvertible Unconvertible = engine::Unconvertible::Skip;
  engine::EscapeSequenceSet EscapeSequence = engine::EscapeSequenceSet::EscBJ;
  engine::NewlineCode OutputNewlineCode = engine::NewlineCode::DontCare;
  bool SevenBitMode = false;
  bool RemoveCtrlZ = false;
  bool PreserveTimestamp = false;
  // 0 renames the temporary file over the input file, 1 copies it onto it.
  std::uint8_t WayToOverwrite = 0;
  // A converted source stays as NAME~ beside the new text.
  bool KeepBackup = false;
  bool ConvWhenExecuted = false;
  bool ConvWhenSelected = false;
  bool ConvWhenDropped = false;
  bool QuitWhenConverted = false;
  bool DontShortenFileName = false;
  // A dropped or handed-over folder adds the files below it.
  bool AddFolderFiles = false;
  // The window's language, taken at start-up: 0 follows the system, 1 Japanese, 2 English.
  std::uint8_t Language = 0;
  bool ForceNewlineConv = false;
  std::string ViewerPath = platform::DefaultViewerProgram();
  std::string ViewerCmdLineOption;
  // Empty or ending in the separator.
  std::string TempDir;

  // The window's: 0 is the default size, an empty name the default face.
  std::int32_t FontSize = 0;
  std::string FontName;
  std::string LastDir;
  // 1 classic style, 2 new-shell style.
  std::uint8_t GUIStyle = 0;

  // What this start found and was asked for; never stored.
  bool BatchMode = false;
  // Classifies and reports, writes nothing.
  bool DryRun = false;
  // Folders named, and those a wildcard's folder part reaches, are searched to any depth.
  bool Recurse = false;
  bool CommandLineError = false;
  bool UseIniFile = false;
  std::string OutputFileName;
  std::uint8_t OsKind = 0;
  bool NewUiFont = false;
};

// The code InputKanjiCode fixes; nothing when it is 0 and the code is detected.
constexpr engine::KanjiCode FixedInputCode(std::uint8_t inputKanjiCode) {
  return inputKanjiCode == 4 ? engine::KanjiCode::UTF8
                             : static_cast<engine::KanjiCode>(inputKanjiCode);
}

// A number of the "Options" group: the name it is stored under and its largest value (the
// smallest is 0).
struct NumberOption {
  std::string_view name;
  std::int32_t high;
  std::int32_t (*get)(const Settings&);
  void (*set)(Settings&, std::int32_t);
};

// In the order they are read and written: the codes and the files before the viewer's
// texts, the user interface after them.
std::span<const NumberOption> CodeOptions();
std::span<const NumberOption> InterfaceOptions();
// Set by hand in the store, never written.
const NumberOption& ForceNewlineConvOption();

}  // namespace mxt::fileconv
