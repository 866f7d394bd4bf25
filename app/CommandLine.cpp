#include "app/CommandLine.h"

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <map>
#include <utility>

#include "app/MessageTexts.h"
#include "fileconv/PathText.h"
#include "fileconv/TrueCase.h"
#include "platform/FindFile.h"
#include "platform/FullPath.h"
#include "platform/IoError.h"
#include "platform/SystemString.h"

namespace mxt::app {

namespace {

using engine::EscapeSequenceSet;
using engine::NewlineCode;
using fileconv::Settings;

using Effect = std::function<void(Settings&)>;

void Nothing(Settings&) {}

Effect OutputJIS(EscapeSequenceSet set) {
  return [set](Settings& s) {
    s.OutputKanjiCode = engine::kOutputJIS;
    s.EscapeSequence = set;
  };
}

Effect OutputUTF8(bool byteOrderMark) {
  return [byteOrderMark](Settings& s) {
    s.OutputKanjiCode = engine::kOutputUTF8;
    s.UTF8BOM = byteOrderMark;
  };
}

void BatchRun(Settings& s) {
  s.BatchMode = true;
  s.OutputToFile = false;
  s.InputKanjiCode = 0;
  s.OutputKanjiCode = 0;
  s.UTF8BOM = false;
  s.Mapping = engine::CharacterMapping::Windows;
  s.Unconvertible = engine::Unconvertible::Skip;
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
  s.KeepBackup = false;
  s.DryRun = false;
  s.Recurse = false;
}

// The message of an option the command line could not take.
std::string Rejected(std::string_view why, const std::string& option) {
  return std::string(why) + message::kOptionIs + option + "'";
}

// Every option by its text after the prefix character, upper-cased.
const std::map<std::string, Effect, std::less<>>& Options() {
  using R = Settings;
  static const std::map<std::string, Effect, std::less<>> options = {
      {"S", [](R& s) { s.OutputKanjiCode = engine::kOutputShiftJIS; }},
      {"E", [](R& s) { s.OutputKanjiCode = engine::kOutputEUC; }},
      {"J", OutputJIS(EscapeSequenceSet::EscBJ)},
      {"W", OutputUTF8(false)},
      {"WB", OutputUTF8(true)},
      {"M", [](R& s) { s.OutputNewlineCode = NewlineCode::CRLF; }},
      {"U", [](R& s) { s.OutputNewlineCode = NewlineCode::LF; }},
      {"N", [](R& s) { s.OutputNewlineCode = NewlineCode::DontCare; }},
      {"7", [](R& s) { s.SevenBitMode = true; }},
      {"8", [](R& s) { s.SevenBitMode = false; }},
      {"Z", [](R& s) { s.RemoveCtrlZ = true; }},
      {"P", [](R& s) { s.PreserveTimestamp = true; }},
      {"L", [](R& s) { s.ForceNewlineConv = true; }},
      {"K", [](R& s) { s.KeepBackup = true; }},
      {"K-", [](R& s) { s.KeepBackup = false; }},
      {"D", [](R& s) { s.DryRun = true; }},
      {"R", [](R& s) { s.Recurse = true; }},
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
      {"IW", [](R& s) { s.InputKanjiCode = 4; }},
      {"XW", [](R& s) { s.Mapping = engine::CharacterMapping::Windows; }},
      {"XJ", [](R& s) { s.Mapping = engine::CharacterMapping::JIS; }},
      {"FS", [](R& s) { s.Unconvertible = engine::Unconvertible::Skip; }},
      {"FG", [](R& s) { s.Unconvertible = engine::Unconvertible::Geta; }},
      {"FX", [](R& s) { s.Unconvertible = engine::Unconvertible::Reference; }},
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

bool Listable(const platform::FindData& found) {
  constexpr std::uint32_t kLeftOut =
      platform::attr::kDirectory | platform::attr::kHidden | platform::attr::kSystem;
  return (found.attributes & kLeftOut) == 0;
}

// The name to list: an all-upper-case name with no long name of its own is shown
// re-cased, and its spelling on disk is kept for the entry.
fileconv::CasedPath ListedName(const std::string& dir, const platform::FindData& found) {
  std::string name = found.name;
  const bool ownLongName = !found.alternateName || !found.alternateName->empty();
  if (ownLongName || !fileconv::IsAllUpperName(name)) return {dir + name, ""};
  fileconv::CapitalizeName(name);
  return {dir + name, found.name};
}

// What an argument names: the file it names as it stands, and only when there is none what
// its wildcards match. A file manager that hands over "what?.txt" means that file alone.
std::vector<platform::FindData> FilesNamedBy(const std::string& full) {
  if (auto named = platform::FindFile(full)) return {std::move(*named)};
  return platform::FindFiles(full);
}

// The file arguments in order: options and the parameter of "/O" left out.
template <class Visit>
void ForEachFileArgument(const std::vector<std::string>& arguments, Visit visit) {
  ArgumentSequence sequence;
  for (const std::string& argument : arguments) {
    if (sequence.RoleOf(argument) == ArgumentRole::File) visit(argument);
  }
}

// Whether an argument is one of `names` as an option, or `longName` after "--".
bool AsksFor(const std::vector<std::string>& arguments, std::string_view longName,
             std::initializer_list<std::string_view> names) {
  for (const std::string& argument : arguments) {
    const std::string upper = fileconv::UpperAscii(argument);
    if (upper == kEndOfOptions) return false;
    if (upper.starts_with("--") && std::string_view(upper).substr(2) == longName) return true;
    if (ClassifyArgument(upper) != ArgumentKind::Option) continue;
    if (std::ranges::find(names, std::string_view(upper).substr(1)) != names.end()) return true;
  }
  return false;
}

}  // namespace

ArgumentRole ArgumentSequence::RoleOf(std::string_view argument) {
  const bool parameter = std::exchange(parameterNext_, false);
  if (!optionsEnded_ && argument == kEndOfOptions) {
    optionsEnded_ = true;
    return ArgumentRole::EndOfOptions;
  }
  const ArgumentKind kind = optionsEnded_ ? ArgumentKind::File : ClassifyArgument(argument);
  if (kind == ArgumentKind::Option) return ArgumentRole::Option;
  if (kind == ArgumentKind::ParameterOption) {
    parameterNext_ = true;
    return ArgumentRole::ParameterOption;
  }
  if (parameter) return ArgumentRole::Parameter;
  if (!optionsEnded_ && argument == kStandardStreams) return ArgumentRole::StandardStreams;
  return ArgumentRole::File;
}

ArgumentKind ClassifyArgument(std::string_view text) {
  if (text.empty() || text == kStandardStreams) return ArgumentKind::File;
  const bool dash = text[0] == '-';
  // Every absolute path begins with "/": an option holds no second one.
  const bool slash = text[0] == '/' && text.find('/', 1) == std::string_view::npos;
  if (!dash && !slash) return ArgumentKind::File;
  if (text.size() == 2 && (text[1] == 'O' || text[1] == 'o')) return ArgumentKind::ParameterOption;
  return ArgumentKind::Option;
}

bool ApplyOption(std::string_view text, Settings& settings) {
  const std::string upper = fileconv::UpperAscii(text);
  const auto& options = Options();
  // Keys of one to three characters stand for options of two to four; longer ones are
  // the two words every other length may be.
  const auto option = options.find(std::string_view(upper).substr(1));
  if (option == options.end()) return false;
  option->second(settings);
  return true;
}

std::vector<std::string> CommandLine::Parse(std::vector<std::string> arguments,
                                            Settings& settings) {
  arguments_ = std::move(arguments);
  fileCount_ = 0;
  standardStreams_ = false;
  unlistedNames_.clear();
  settings.OutputFileName.clear();
  std::vector<std::string> rejected;
  std::string lastParameterOption;
  std::string dryRunOption;
  ArgumentSequence sequence;
  for (const std::string& argument : arguments_) {
    switch (sequence.RoleOf(argument)) {
      case ArgumentRole::Parameter:
        settings.OutputFileName = argument;
        break;
      case ArgumentRole::StandardStreams:
        if (standardStreams_) rejected.emplace_back(message::kStandardStreamsTwice);
        standardStreams_ = true;
        break;
      case ArgumentRole::File:
        ++fileCount_;
        break;
      case ArgumentRole::EndOfOptions:
        break;
      case ArgumentRole::ParameterOption:
        lastParameterOption = argument;
        [[fallthrough]];
      case ArgumentRole::Option: {
        const bool dryBefore = settings.DryRun;
        if (!ApplyOption(argument, settings))
          rejected.push_back(Rejected(message::kWrongOption, argument));
        if (settings.DryRun && !dryBefore) dryRunOption = argument;
        break;
      }
    }
  }
  if (settings.OutputToFile && settings.OutputFileName.empty()) {
    settings.OutputToFile = false;
    rejected.push_back(Rejected(message::kMissingParameter, lastParameterOption));
  }
  if (standardStreams_ && settings.OutputToFile)
    rejected.emplace_back(message::kStandardStreamsWithOutputFile);
  if (standardStreams_ && !settings.BatchMode)
    rejected.emplace_back(message::kStandardStreamsInWindow);
  // The window converts for real: a start that asked for a run writing nothing gets none.
  if (settings.DryRun && !settings.BatchMode) {
    settings.DryRun = false;
    rejected.push_back(Rejected(message::kWrongOption, dryRunOption));
  }
  settings.CommandLineError = !rejected.empty();
  recurse_ = settings.Recurse;
  return rejected;
}

// Files already listed count as found; a name that finds nothing listable is noted.
void CommandLine::AddFilesNamedBy(const std::string& argument, fileconv::FileList& files,
                                  fileconv::RunHost& host) {
  const std::string full = platform::FullPath(argument);
  if (recurse_ && !argument.empty() && AddFilesBelow(argument, full, files, host)) return;
  const std::string dir = fileconv::DirectoryPart(fileconv::ListedPath(full));
  bool found = false;
  for (const platform::FindData& data : FilesNamedBy(full)) {
    if (!Listable(data)) continue;
    found = true;
    fileconv::CasedPath listed = ListedName(dir, data);
    files.Add(std::move(listed.path), std::move(listed.diskName), host);
  }
  if (found) return;
  const auto named = platform::FindFile(full);
  const bool folder = named && (named->attributes & platform::attr::kDirectory);
  unlistedNames_.push_back(
      {argument, folder ? fileconv::SkipReason::Directory : fileconv::SkipReason::FileNotFound});
}

// A folder named is searched whole; a pattern naming no file, in its folder and below.
// False for a file, which is itself as without /R.
bool CommandLine::AddFilesBelow(const std::string& argument, const std::string& full,
                                fileconv::FileList& files, fileconv::RunHost& host) {
  const auto named = platform::FindFile(full);
  const bool folder = named && (named->attributes & platform::attr::kDirectory);
  const std::string name = fileconv::FileNamePart(full);
  if (!folder && (named || name.find_first_of("*?") == std::string::npos)) return false;
  // A named folder's own name is resolved too: the files below it are named by their folders
  // as the system resolves them, as every other file is, and a linked folder lists them once.
  const std::string top = folder ? platform::WithSeparator(platform::FullPath(full + "/."))
                                 : fileconv::DirectoryPart(full);
  bool found = false;
  bool topUnreadable = false;  // then that says why, not "File not found."
  const auto unreadable = [&](const std::string& below, int error) {
    topUnreadable = topUnreadable || below == top;
    unlistedNames_.push_back({below, fileconv::SkipReason::FolderUnreadable});
    host.FileNote(platform::IoError(error, platform::SystemStringToUtf8(below)).what());
  };
  for (auto& [dir, data] : platform::FindFilesBelow(top, folder ? "*" : name, unreadable)) {
    if (!Listable(data)) continue;
    found = true;
    fileconv::CasedPath listed = ListedName(dir, data);
    files.Add(std::move(listed.path), std::move(listed.diskName), host);
  }
  if (!found && !topUnreadable)
    unlistedNames_.push_back({argument, fileconv::SkipReason::FileNotFound});
  return true;
}

void CommandLine::AddFiles(fileconv::FileList& files, fileconv::RunHost& host) {
  unlistedNames_.clear();
  const std::size_t before = files.Inputs().size();
  ForEachFileArgument(arguments_,
                      [&](const std::string& argument) { AddFilesNamedBy(argument, files, host); });
  if (files.Inputs().size() > before) host.FilesAdded(before);
}

std::vector<std::string> NamedFiles(const std::vector<std::string>& arguments) {
  std::vector<std::string> names;
  ForEachFileArgument(arguments, [&](const std::string& argument) {
    const std::string full = platform::FullPath(argument);
    const std::string dir = fileconv::DirectoryPart(full);
    for (const platform::FindData& data : FilesNamedBy(full)) {
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
