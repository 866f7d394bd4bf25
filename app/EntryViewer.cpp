#include "app/EntryViewer.h"

#include <optional>
#include <string_view>
#include <utility>

#include "app/MessageTexts.h"
#include "platform/FileSystem.h"
#include "platform/SystemString.h"

namespace mxt::app {

namespace {

using fileconv::ListId;
using fileconv::MessageButtons;
using fileconv::MessageKind;

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

void EntryViewer::Open(Session& session, ListId list, std::size_t index, bool conv) {
  if (session.run.Busy() || (conv && list == ListId::Output)) return;
  const fileconv::Settings& settings = session.settings;
  if (settings.ViewerPath.empty()) {
    session.host.ShowMessage(MessageKind::Warning, message::kNoViewer, MessageButtons::Ok);
    return;
  }
  std::string file;
  if (conv) {
    fileconv::ViewCopy copy = session.run.ConvertForView(index);
    if (copy.outcome == fileconv::ViewCopy::Outcome::Stopped) return;
    if (copy.outcome == fileconv::ViewCopy::Outcome::NotConverted) {
      session.host.ShowMessage(MessageKind::Information,
                               platform::SystemStringToUtf8(session.files.Input(index).Path) +
                                   std::string(message::kNotConverted),
                               MessageButtons::Ok);
      return;
    }
    copies_.push_back(copy.path);
    file = std::move(copy.path);
  } else {
    file = list == ListId::Output ? session.files.Output()->Path : session.files.Input(index).Path;
  }
  if (!start_(ViewerArguments(settings.ViewerPath, settings.ViewerCmdLineOption, file))) {
    session.host.ShowMessage(MessageKind::Error, message::kViewerFailed, MessageButtons::Ok);
  }
}

std::size_t EntryViewer::DeleteCopies() {
  std::size_t failures = 0;
  for (const std::string& path : copies_) {
    try {
      platform::DeleteFile(path);
    } catch (const std::exception&) {
      ++failures;
    }
  }
  copies_.clear();
  return failures;
}

}  // namespace mxt::app
