#pragma once

#include <cstdint>
#include <string>

#include "engine/KanjiCode.h"

namespace mxt::fileconv {

// The options of the process. The record lives here, below its persistence in app/,
// because the conversion reads it.
struct SettingsRecord {
  bool OutputToFile = false;
  // 0 detects the code; 1..3 fix it (numbered as engine::KanjiCode).
  std::uint8_t InputKanjiCode = 0;
  // 0 Shift-JIS, 1 EUC, 2 JIS.
  std::uint8_t OutputKanjiCode = 0;
  engine::EscapeSequenceSet EscapeSequence = engine::EscapeSequenceSet::EscBJ;
  engine::NewlineCode OutputNewlineCode = engine::NewlineCode::DontCare;
  bool SevenBitMode = false;
  bool RemoveCtrlZ = false;
  bool PreserveTimestamp = false;
  // 0 renames the temporary file over the input file, 1 copies it onto it.
  std::uint8_t WayToOverwrite = 0;
  bool ConvWhenExecuted = false;
  bool ConvWhenSelected = false;
  bool ConvWhenDropped = false;
  bool QuitWhenConverted = false;
  bool DontShortenFileName = false;
  bool ForceNewlineConv = false;
  bool BatchMode = false;
  bool CommandLineError = false;
  bool UseIniFile = false;
  // 0 is the default size, an empty name the default face.
  std::int32_t FontSize = 0;
  std::string FontName;
  // Empty or ending in the separator.
  std::string TempDir;
  std::string LastDir;
  std::string ViewerPath;
  std::string ViewerCmdLineOption;
  std::string OutputFileName;
  // 1 classic style, 2 new-shell style.
  std::uint8_t GUIStyle = 0;
  std::uint8_t OsKind = 0;
  bool NewUiFont = false;
};

extern SettingsRecord Settings;

// Back to the state before start-up: every number 0, every text empty.
void ResetSettings();

}  // namespace mxt::fileconv
