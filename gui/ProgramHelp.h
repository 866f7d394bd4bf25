#pragma once

#include <QPointer>
#include <QString>

#include "gui/HelpWindow.h"

namespace mxt::gui {

// The program's help: one help window, made when help is first asked for, which closes
// with its owner.
class ProgramHelp {
 public:
  ProgramHelp() = default;
  ProgramHelp(const ProgramHelp&) = delete;
  ProgramHelp& operator=(const ProgramHelp&) = delete;
  ~ProgramHelp() { Close(); }

  void ShowContents() { Window().ShowContents(); }
  void ShowFinder() { Window().ShowFinder(); }
  void ShowKeywords(const QString& keyword) { Window().ShowKeywords(keyword); }
  void ShowContext(int context) { Window().ShowContext(context); }
  // The help window while it is open, else null.
  HelpWindow* OpenWindow() const { return window_; }
  void Close() { delete window_; }

 private:
  HelpWindow& Window();

  QPointer<HelpWindow> window_;
};

}  // namespace mxt::gui
