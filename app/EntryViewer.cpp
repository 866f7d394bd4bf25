#include "app/EntryViewer.h"

#include <optional>
#include <string_view>
#include <utility>

#include "fileconv/ConversionRun.h"
#include "fileconv/FileList.h"
#include "fileconv/OneFileConversion.h"
#include "fileconv/RunState.h"
#include "fileconv/SettingsRecord.h"
#include "platform/SystemString.h"

namespace mxt::app {

namespace {

using fileconv::ListId;
using fileconv::MessageButtons;
using fileconv::MessageKind;

constexpr std::string_view kNoViewer = "ビューアが指定されていません。";
constexpr std::string_view kNotConverted = " は、変換されませんでした。";
constexpr std::string_view kViewerFailed = "ビューアの起動に失敗しました。";

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n';
}

// Inside double quotes a backslash quotes only these; before anything else it stays.
bool EscapableInDoubleQuotes(char c) {
  return c == '\\' || c == '"' || c == '$' || c == '`' || c == '\n';
}

// From just after an opening single quote to just after its closing one; false when
// the quote never closes.
bool ReadSingleQuoted(std::string_view text, std::size_t& i, std::string& word) {
  const std::size_t end = text.find('\'', i);
  if (end == std::string_view::npos) return false;
  word.append(text.substr(i, end - i));
  i = end + 1;
  return true;
}

bool ReadDoubleQuoted(std::string_view text, std::size_t& i, std::string& word) {
  while (i < text.size()) {
    const char c = text[i++];
    if (c == '"') return true;
    if (c == '\\' && i < text.size() && EscapableInDoubleQuotes(text[i])) {
      // A quoted line break is a line continuation: it leaves nothing.
      if (text[i] != '\n') word += text[i];
      ++i;
    } else {
      word += c;
    }
  }
  return false;
}

// The words as a shell without expansions would pass them; nothing when a quote is open.
// Operators and "#" are plain characters: no shell runs that could give them a meaning.
std::optional<std::vector<std::string>> SplitWords(std::string_view text) {
  std::vector<std::string> words;
  std::string word;
  bool inWord = false;
  std::size_t i = 0;
  while (i < text.size()) {
    const char c = text[i++];
    if (IsBlank(c)) {
      if (inWord) words.push_back(std::exchange(word, {}));
      inWord = false;
    } else if (c == '\\' && i < text.size() && text[i] == '\n') {
      ++i;  // a line continuation joins what stands around it
    } else {
      // Even an empty quoted text is a word.
      inWord = true;
      if (c == '\'') {
        if (!ReadSingleQuoted(text, i, word)) return std::nullopt;
      } else if (c == '"') {
        if (!ReadDoubleQuoted(text, i, word)) return std::nullopt;
      } else if (c == '\\' && i < text.size()) {
        word += text[i++];
      } else {
        // A backslash at the very end stays, as the shell keeps it.
        word += c;
      }
    }
  }
  if (inWord) words.push_back(std::move(word));
  return words;
}

// The converted copy to show; nothing, after saying so, when the file was not converted.
std::optional<std::string> ConvertedCopy(std::size_t index, fileconv::RunHost& host) {
  fileconv::Conversion.TempFileName.clear();
  fileconv::ConvertForView(index);
  const std::string& copy = fileconv::Conversion.TempFileName;
  if (copy.empty()) {
    host.ShowMessage(MessageKind::Information,
                     platform::SystemStringToUtf8(fileconv::Files.Inputs[index]->Path) +
                         std::string(kNotConverted),
                     MessageButtons::Ok);
    return std::nullopt;
  }
  fileconv::RunStatus.ViewerTempFiles.push_back(copy);
  return copy;
}

const std::string& EntryPath(ListId list, std::size_t index) {
  return list == ListId::Output ? fileconv::Files.Output->Path
                                : fileconv::Files.Inputs[index]->Path;
}

}  // namespace

std::vector<std::string> ViewerArguments(const std::string& viewerPath, const std::string& options,
                                         const std::string& file) {
  std::vector<std::string> arguments{viewerPath};
  if (auto words = SplitWords(options)) {
    arguments.insert(arguments.end(), words->begin(), words->end());
  } else {
    arguments.push_back(options);
  }
  arguments.push_back(file);
  return arguments;
}

void OpenInViewer(ListId list, std::size_t index, bool conv, fileconv::RunHost& host,
                  const ProgramStarter& start) {
  if (fileconv::RunStatus.Busy || (conv && list == ListId::Output)) return;
  const fileconv::SettingsRecord& settings = fileconv::Settings;
  if (settings.ViewerPath.empty()) {
    host.ShowMessage(MessageKind::Warning, kNoViewer, MessageButtons::Ok);
    return;
  }
  std::string file;
  if (conv) {
    std::optional<std::string> copy = ConvertedCopy(index, host);
    if (!copy) return;
    file = std::move(*copy);
  } else {
    file = EntryPath(list, index);
  }
  if (!start(ViewerArguments(settings.ViewerPath, settings.ViewerCmdLineOption, file))) {
    host.ShowMessage(MessageKind::Error, kViewerFailed, MessageButtons::Ok);
  }
}

}  // namespace mxt::app
