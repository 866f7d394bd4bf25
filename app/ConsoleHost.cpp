#include "app/ConsoleHost.h"

#include <algorithm>
#include <ostream>
#include <string>

namespace mxt::app {

fileconv::MessageAnswer ConsoleHost::ShowMessage(fileconv::MessageKind kind, std::string_view text,
                                                 fileconv::MessageButtons buttons) {
  std::string lines(text);
  std::replace(lines.begin(), lines.end(), '\r', '\n');
  errors_ << fileconv::MessageCaption(kind) << ": " << lines << '\n';
  return buttons == fileconv::MessageButtons::Ok ? fileconv::MessageAnswer::Ok
                                                 : fileconv::MessageAnswer::Cancel;
}

void ConsoleHost::FileNote(std::string_view text) {
  errors_ << text << '\n';
}

}  // namespace mxt::app
