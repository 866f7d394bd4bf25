#include "fileconv/FileList.h"

#include <algorithm>
#include <string>

#include "fileconv/PathIndex.h"
#include "fileconv/PathText.h"
#include "fileconv/RunState.h"
#include "fileconv/SettingsRecord.h"
#include "fileconv/TrueCase.h"
#include "platform/FileNameRule.h"
#include "platform/SystemString.h"

namespace mxt::fileconv {

FileLists Files;

void ResetFileLists() {
  ClearPathIndex();
  Files = FileLists{};
}

namespace {

// Byte lengths of the name's characters, a double-byte character counted as one.
std::vector<std::size_t> CharacterEnds(std::string_view name) {
  const auto& rule = platform::SystemFileNameRule();
  std::vector<std::size_t> ends;
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(name[i]); };
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (rule.isLeadByte(byte(i)) && i + 1 < name.size()) ++i;
    while (i + 1 < name.size() && rule.continuesCharacter(byte(i + 1)))
      ++i;
    ends.push_back(i + 1);
  }
  return ends;
}

}  // namespace

std::string ShortenFileName(std::string_view name, RunHost& host) {
  const std::optional<int> width = host.TextWidth(name);
  if (!width) return std::string(name);
  if (*width > Files.LongestNameWidth) Files.LongestNameWidth = *width;
  if (*width <= Files.NameColumnWidth) return std::string(name);
  const std::vector<std::size_t> ends = CharacterEnds(name);
  const auto candidate = [&](std::size_t characters) {
    return std::string(name.substr(0, ends[characters - 1])) + "...";
  };
  // The longest of 1 .. n - 1 characters with "..." that fits: a longer prefix is never
  // narrower, so it is searched by halves rather than a character at a time, which long
  // names in their thousands would feel.
  std::size_t fits = 0;
  std::size_t tooWide = ends.size();
  while (tooWide - fits > 1) {
    const std::size_t middle = fits + (tooWide - fits) / 2;
    const std::optional<int> cut = host.TextWidth(candidate(middle));
    if (!cut) return candidate(middle);
    (*cut <= Files.NameColumnWidth ? fits : tooWide) = middle;
  }
  return fits > 0 ? candidate(fits) : std::string(name.substr(0, ends.front()));
}

bool AddFileToList(std::string path, RunHost& host) {
  // Windows ignores a final dot; elsewhere it belongs to the name.
  if (platform::SystemFileNameRule().hasDrives) RemoveTrailingDot(path);
  const std::string key = PathIndexKey(path);
  if (FindByPath(key)) return false;
  if (Settings.OutputToFile && key == PathIndexKey(RunStatus.OutputPath)) {
    host.ShowMessage(
        MessageKind::Warning,
        platform::SystemStringToUtf8(path) +
            "\rこのファイルは、すでに出力先として指定されているため、入力元には指定できません。",
        MessageButtons::Ok);
    return false;
  }
  auto entry = std::make_unique<FileEntry>(FileEntry::InputEntry(path));
  entry->DiskName = CapturedName();
  entry->DisplayName = ShortenFileName(entry->Name, host);
  AddToPathIndex(*entry, key);
  Files.Inputs.push_back(std::move(entry));
  RunStatus.AllDone = false;
  return true;
}

std::size_t AddFileBatch(const std::vector<std::string>& paths, RunHost& host) {
  const std::size_t before = Files.Inputs.size();
  std::string previousDir;
  std::string trueCaseDir;
  for (std::size_t i = 0; i < paths.size(); ++i) {
    ClearCapturedName();
    const std::string dir = DirectoryPart(paths[i]);
    std::string path;
    if (i == 0 || dir != previousDir) {
      path = ListedPath(paths[i]);
      trueCaseDir = DirectoryPart(path);
    } else {
      std::string name = TrueCaseName(paths[i]);
      path = trueCaseDir + (name.empty() ? FileNamePart(paths[i]) : name);
    }
    previousDir = dir;
    AddFileToList(path, host);
  }
  const std::size_t added = Files.Inputs.size() - before;
  if (added > 0) host.FilesAdded(before);
  return added;
}

void ReportNotAdded(std::size_t given, std::size_t added, RunHost& host) {
  if (added == given) return;
  host.ShowMessage(MessageKind::Information,
                   std::to_string(given - added) +
                       " 個のファイルは、すでに選択されていたため追加されませんでした。",
                   MessageButtons::Ok);
}

void InitTabStops(RunHost& host) {
  const int x = host.TextWidth("x").value_or(6);
  const int converted = host.TextWidth("Converted:").value_or(54);
  Files.NameColumnWidth = 16 * x;
  Files.StatusTabStops[0] = Files.NameColumnWidth + 8;
  Files.StatusTabStops[1] = Files.NameColumnWidth + converted + 12;
}

bool UpdateTabStops() {
  const int first = std::max(Files.LongestNameWidth, Files.NameColumnWidth) + 8;
  const int shift = first - Files.StatusTabStops[0];
  if (shift == 0) return false;
  Files.StatusTabStops[0] += shift;
  Files.StatusTabStops[1] += shift;
  return true;
}

int WidestInputName(RunHost& host) {
  int widest = 0;
  for (const auto& entry : Files.Inputs)
    widest = std::max(widest, host.TextWidth(entry->Name).value_or(0));
  return widest;
}

int OutputNameWidth(RunHost& host) {
  if (!Files.Output) return 0;
  return host.TextWidth(Files.Output->Name).value_or(0);
}

void RemeasureNames(ListId list, RunHost& host) {
  if (list == ListId::Input) {
    InitTabStops(host);
    Files.LongestNameWidth = 0;
    for (auto& entry : Files.Inputs)
      entry->DisplayName = ShortenFileName(entry->Name, host);
  } else if (Files.Output) {
    Files.Output->DisplayName = ShortenFileName(Files.Output->Name, host);
  }
}

void ClearFileList() {
  ClearPathIndex();
  Files.Inputs.clear();
  RunStatus.AllDone = false;
}

}  // namespace mxt::fileconv
