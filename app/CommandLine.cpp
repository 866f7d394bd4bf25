#include "app/CommandLine.h"

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <map>

#include "app/StartupLock.h"
#include "fileconv/FileList.h"
#include "fileconv/PathText.h"
#include "fileconv/SettingsRecord.h"
#include "fileconv/TrueCase.h"
#include "platform/FindFile.h"
#include "platform/FullPath.h"

namespace mxt::app {

CommandLineState CommandLine;

namespace {

using engine::EscapeSequenceSet;
using engine::NewlineCode;
using fileconv::Settings;

using Effect = std::function<void(fileconv::SettingsRecord&)>;

void Nothing(fileconv::SettingsRecord&) {}

Effect OutputJIS(EscapeSequenceSet set) {
  return [set](fileconv::SettingsRecord& s) {
    s.OutputKanjiCode = engine::kOutputJIS;
    s.EscapeSequence = set;
  };
}

void BatchRun(fileconv::SettingsRecord& s) {
  s.BatchMode = true;
  s.OutputToFile = false;
  s.InputKanjiCode = 0;
  s.OutputKanjiCode = 0;
  s.EscapeSequence = EscapeSequenceSet::EscBJ;
  s.OutputNewlineCode = NewlineCode::DontCare;
  s.SevenBitMode = false;
  s.RemoveCtrlZ = false;
  s.PreserveTimestamp = false;
  s.WayToOverwrite = 0;
  s.ConvWhenExecuted = true;
  s.ConvWhenSelected = false;
  s.ConvWhenDropped = false;
  s.QuitWhenConverted = true;
  s.DontShortenFileName = false;
  s.ForceNewlineConv = false;
}

// Every option by its text after the prefix character, upper-cased.
const std::map<std::string, Effect, std::less<>>& Options() {
  using R = fileconv::SettingsRecord;
  static const std::map<std::string, Effect, std::less<>> options = {
      {"S", [](R& s) { s.OutputKanjiCode = engine::kOutputShiftJIS; }},
      {"E", [](R& s) { s.OutputKanjiCode = engine::kOutputEUC; }},
      {"J", OutputJIS(EscapeSequenceSet::EscBJ)},
      {"M", [](R& s) { s.OutputNewlineCode = NewlineCode::CRLF; }},
      {"U", [](R& s) { s.OutputNewlineCode = NewlineCode::LF; }},
      {"N", [](R& s) { s.OutputNewlineCode = NewlineCode::DontCare; }},
      {"7", [](R& s) { s.SevenBitMode = true; }},
      {"8", [](R& s) { s.SevenBitMode = false; }},
      {"Z", [](R& s) { s.RemoveCtrlZ = true; }},
      {"P", [](R& s) { s.PreserveTimestamp = true; }},
      {"L", [](R& s) { s.ForceNewlineConv = true; }},
      {"O", [](R& s) { s.OutputToFile = true; }},
      {"V", [](R& s) { s.OutputToFile = false; }},
      {"B", BatchRun},
      {"?", Nothing},
      {"C", Nothing},
      {"H", Nothing},
      {"I", Nothing},
      {"Q", Nothing},
      {"T", Nothing},
      {"IA", [](R& s) { s.InputKanjiCode = 0; }},
      {"IS", [](R& s) { s.InputKanjiCode = 1; }},
      {"IE", [](R& s) { s.InputKanjiCode = 2; }},
      {"IJ", [](R& s) { s.InputKanjiCode = 3; }},
      {"BJ", OutputJIS(EscapeSequenceSet::EscBB)},
      {"OJ", OutputJIS(EscapeSequenceSet::EscAtJ)},
      {"NJ", OutputJIS(EscapeSequenceSet::EscKH)},
      {"MA", [](R& s) { s.OutputNewlineCode = NewlineCode::CR; }},
      {"TR", [](R& s) { s.WayToOverwrite = 0; }},
      {"TC", [](R& s) { s.WayToOverwrite = 1; }},
      {"UE", [](R& s) { s.ConvWhenExecuted = true; }},
      {"US", [](R& s) { s.ConvWhenSelected = true; }},
      {"UD", [](R& s) { s.ConvWhenDropped = true; }},
      {"UQ", [](R& s) { s.QuitWhenConverted = true; }},
      {"UF", [](R& s) { s.DontShortenFileName = true; }},
      {"Z-", [](R& s) { s.RemoveCtrlZ = false; }},
      {"P-", [](R& s) { s.PreserveTimestamp = false; }},
      {"L-", [](R& s) { s.ForceNewlineConv = false; }},
      {"I-", Nothing},
      {"O-", Nothing},
      {"Q-", Nothing},
      {"T-", Nothing},
      {"QQ", Nothing},
      {"UE-", [](R& s) { s.ConvWhenExecuted = false; }},
      {"US-", [](R& s) { s.ConvWhenSelected = false; }},
      {"UD-", [](R& s) { s.ConvWhenDropped = false; }},
      {"UQ-", [](R& s) { s.QuitWhenConverted = false; }},
      {"UF-", [](R& s) { s.DontShortenFileName = false; }},
      {"HELP", Nothing},
      {"INIFILE", Nothing},
  };
  return options;
}

// Shown while start-up is not holding up a second start of the program.
void ShowStartupError(const std::string& text, fileconv::RunHost& host) {
  ReleaseStartupMutex();
  Settings.CommandLineError = true;
  host.ShowMessage(fileconv::MessageKind::Error, text, fileconv::MessageButtons::Ok);
}

bool Listable(const platform::FindData& found) {
  constexpr std::uint32_t kLeftOut =
      platform::attr::kDirectory | platform::attr::kHidden | platform::attr::kSystem;
  return (found.attributes & kLeftOut) == 0;
}

// The name to list: an all-upper-case name with no long name of its own is shown
// re-cased, and its spelling on disk is kept for the entry.
std::string ListedName(const platform::FindData& found) {
  std::string name = found.name;
  const bool ownLongName = !found.alternateName || !found.alternateName->empty();
  if (!ownLongName && fileconv::IsAllUpperName(name)) {
    fileconv::SetNameCapture(true);
    fileconv::CapitalizeName(name);
    fileconv::SetNameCapture(false);
  }
  return name;
}

// The file arguments in order: options and the parameter of "/O" left out.
template <class Visit>
void ForEachFileArgument(const std::vector<std::string>& arguments, Visit visit) {
  bool parameterNext = false;
  for (const std::string& argument : arguments) {
    const ArgumentKind kind = ClassifyArgument(argument);
    if (kind == ArgumentKind::File && !parameterNext) visit(argument);
    parameterNext = kind == ArgumentKind::ParameterOption;
  }
}

// Files already listed count as found; a name that finds nothing listable is noted.
void AddFilesNamedBy(const std::string& argument, fileconv::RunHost& host) {
  const std::string full = platform::FullPath(argument);
  const std::string dir = fileconv::DirectoryPart(fileconv::ListedPath(full));
  bool found = false;
  for (const platform::FindData& data : platform::FindFiles(full)) {
    if (!Listable(data)) continue;
    found = true;
    fileconv::ClearCapturedName();
    const std::string name = ListedName(data);
    fileconv::AddFileToList(dir + name, host);
  }
  if (found) return;
  const auto named = platform::FindFile(full);
  const bool folder = named && (named->attributes & platform::attr::kDirectory);
  CommandLine.UnlistedNames.push_back(
      {argument, folder ? fileconv::SkipReason::Directory : fileconv::SkipReason::FileNotFound});
}

// Whether an argument is one of `names` as an option, or `longName` after "--".
bool AsksFor(const std::vector<std::string>& arguments, std::string_view longName,
             std::initializer_list<std::string_view> names) {
  for (const std::string& argument : arguments) {
    const std::string upper = fileconv::UpperAscii(argument);
    if (upper.starts_with("--") && std::string_view(upper).substr(2) == longName) return true;
    if (ClassifyArgument(upper) != ArgumentKind::Option) continue;
    if (std::ranges::find(names, std::string_view(upper).substr(1)) != names.end()) return true;
  }
  return false;
}

}  // namespace

ArgumentKind ClassifyArgument(std::string_view text) {
  if (text.empty()) return ArgumentKind::File;
  const bool dash = text[0] == '-';
  // Every absolute path begins with "/": an option holds no second one.
  const bool slash = text[0] == '/' && text.find('/', 1) == std::string_view::npos;
  if (!dash && !slash) return ArgumentKind::File;
  if (text.size() == 2 && (text[1] == 'O' || text[1] == 'o')) return ArgumentKind::ParameterOption;
  return ArgumentKind::Option;
}

void ApplyOption(std::string_view text, fileconv::RunHost& host) {
  const std::string upper = fileconv::UpperAscii(text);
  const auto& options = Options();
  // Keys of one to three characters stand for options of two to four; longer ones are
  // the two words every other length may be.
  const auto option = options.find(std::string_view(upper).substr(1));
  if (option == options.end()) {
    ShowStartupError(
        "コマンドラインオプションに誤りがあります。\rオプション: '" + std::string(text) + "'",
        host);
    return;
  }
  option->second(Settings);
}

void ParseCommandLine(std::vector<std::string> arguments, fileconv::RunHost& host) {
  CommandLine = CommandLineState{std::move(arguments), 0, {}};
  Settings.OutputFileName.clear();
  Settings.CommandLineError = false;
  bool parameterNext = false;
  std::string lastParameterOption;
  for (const std::string& argument : CommandLine.Arguments) {
    const ArgumentKind kind = ClassifyArgument(argument);
    if (kind == ArgumentKind::File) {
      if (parameterNext) {
        Settings.OutputFileName = argument;
      } else {
        ++CommandLine.CommandLineFileCount;
      }
    } else {
      ApplyOption(argument, host);
      if (kind == ArgumentKind::ParameterOption) lastParameterOption = argument;
    }
    parameterNext = kind == ArgumentKind::ParameterOption;
  }
  if (Settings.OutputToFile && Settings.OutputFileName.empty()) {
    Settings.OutputToFile = false;
    ShowStartupError("コマンドラインオプションにパラメータが不足しています。\rオプション: '" +
                         lastParameterOption + "'",
                     host);
  }
}

void AddCommandLineFiles(fileconv::RunHost& host) {
  CommandLine.UnlistedNames.clear();
  const std::size_t before = fileconv::Files.Inputs.size();
  ForEachFileArgument(CommandLine.Arguments,
                      [&](const std::string& argument) { AddFilesNamedBy(argument, host); });
  if (fileconv::Files.Inputs.size() > before) host.FilesAdded(before);
}

std::vector<std::string> NamedFiles(const std::vector<std::string>& arguments) {
  std::vector<std::string> names;
  ForEachFileArgument(arguments, [&](const std::string& argument) {
    const std::string full = platform::FullPath(argument);
    const std::string dir = fileconv::DirectoryPart(full);
    for (const platform::FindData& data : platform::FindFiles(full)) {
      if (Listable(data)) names.push_back(dir + data.name);
    }
  });
  return names;
}

bool AsksForHelp(const std::vector<std::string>& arguments) {
  return AsksFor(arguments, "HELP", {"?", "H", "HELP"});
}

bool AsksForVersion(const std::vector<std::string>& arguments) {
  return AsksFor(arguments, "VERSION", {"VERSION"});
}

}  // namespace mxt::app
