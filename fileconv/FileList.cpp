#include "fileconv/FileList.h"

#include <algorithm>
#include <optional>
#include <string>

#include "fileconv/MessageTexts.h"
#include "fileconv/PathText.h"
#include "fileconv/TrueCase.h"
#include "platform/FileNameRule.h"
#include "platform/SystemString.h"

namespace mxt::fileconv {

FileEntry* FileList::FindInput(std::string_view path) const {
  return index_.Find(PathIndexKey(path));
}

void FileList::MeasureName(FileEntry& entry, RunHost& host) const {
  entry.DisplayName = column_.Shorten(entry.Name, host, entry.NameWidth);
}

bool FileList::Add(std::string path, std::string diskName, RunHost& host) {
  // Windows ignores a final dot; elsewhere it belongs to the name.
  if (platform::SystemFileNameRule().hasDrives) RemoveTrailingDot(path);
  const std::string key = PathIndexKey(path);
  if (index_.Find(key)) return false;
  if (output_ && key == PathIndexKey(output_->Path)) {
    host.ShowMessage(MessageKind::Warning,
                     platform::SystemStringToUtf8(path) + message::kAlreadyOutput,
                     MessageButtons::Ok);
    return false;
  }
  auto entry = std::make_unique<FileEntry>(FileEntry::InputEntry(path));
  entry->DiskName = std::move(diskName);
  MeasureName(*entry, host);
  index_.Add(*entry, key);
  inputs_.push_back(std::move(entry));
  return true;
}

std::size_t FileList::AddBatch(const std::vector<std::string>& paths, RunHost& host) {
  const std::size_t before = inputs_.size();
  // Each folder's true case is looked up once: thousands of files share a few folders.
  // Only a plain name stays in the folder it is written in; "sub/", "sub/." or "sub/.."
  // name another, and a folder looked up from one is no folder of the names after it.
  std::optional<std::string> writtenDir;
  std::string trueCaseDir;
  for (const std::string& path : paths) {
    const std::string dir = DirectoryPart(path);
    const std::string written = FileNamePart(path);
    const bool plainName = !written.empty() && written != "." && written != "..";
    CasedPath listed;
    if (plainName && dir == writtenDir) {
      const std::string name = TrueCaseName(path);
      listed.path = trueCaseDir + (name.empty() ? written : name);
    } else {
      listed = ListedPathOf(path);
      trueCaseDir = DirectoryPart(listed.path);
      writtenDir = plainName ? std::optional(dir) : std::nullopt;
    }
    Add(std::move(listed.path), std::move(listed.diskName), host);
  }
  const std::size_t added = inputs_.size() - before;
  if (added > 0) host.FilesAdded(before);
  return added;
}

void FileList::Clear() {
  index_.Clear();
  inputs_.clear();
}

FileEntry& FileList::SetOutput(std::string path, RunHost& host) {
  output_ = std::make_unique<FileEntry>(FileEntry::OutputEntry(std::move(path)));
  MeasureName(*output_, host);
  return *output_;
}

void FileList::RefreshOutput(RunHost& host) {
  if (!output_) return;
  std::string onDisk = ListedPath(output_->Path);
  if (onDisk == output_->Path) return;
  output_->Path = std::move(onDisk);
  output_->Name = ShownFileName(output_->Path);
  MeasureName(*output_, host);
}

void FileList::MeasureNames(RunHost& host) {
  column_.Measure(host);
  for (auto& entry : inputs_)
    MeasureName(*entry, host);
  if (output_) MeasureName(*output_, host);
}

bool FileList::FitStatusColumns(bool namesWhole) {
  int widest = output_ ? output_->NameWidth : 0;
  for (const auto& entry : inputs_)
    widest = std::max(widest, entry->NameWidth);
  return column_.Fit(widest, namesWhole);
}

void ReportNotAdded(std::size_t given, std::size_t added, MessageHost& host) {
  if (added == given) return;
  host.ShowMessage(MessageKind::Information,
                   std::to_string(given - added) + message::kAlreadySelected, MessageButtons::Ok);
}

}  // namespace mxt::fileconv
