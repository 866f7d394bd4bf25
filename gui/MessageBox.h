#pragma once

#include <functional>
#include <string_view>

#include "fileconv/RunHost.h"

class QWidget;

namespace mxt::gui {

// A message box of the program: the caption of its kind, "OK" or "OK" and "ｷｬﾝｾﾙ", and a
// "\r" in the text as a line break.
fileconv::MessageAnswer ShowMessage(QWidget* parent, fileconv::MessageKind kind,
                                    std::string_view text, fileconv::MessageButtons buttons);

// Answers boxes instead of a person.
using MessageAnswerer = std::function<fileconv::MessageAnswer(
    fileconv::MessageKind kind, std::string_view text, fileconv::MessageButtons buttons)>;

// The boxes of a window, which tests answer instead of a person.
class MessageBoxes {
 public:
  fileconv::MessageAnswer Show(QWidget* parent, fileconv::MessageKind kind, std::string_view text,
                               fileconv::MessageButtons buttons) const;
  // The one box of another kind: `caption` with the information icon and "OK".
  void ShowPlain(QWidget* parent, std::string_view caption, std::string_view text) const;
  // An empty answerer shows the boxes again.
  void SetAnswerer(MessageAnswerer answerer) { answerer_ = std::move(answerer); }

 private:
  MessageAnswerer answerer_;
};

}  // namespace mxt::gui
