#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QDialog>
#include <QPushButton>
#include <QStatusBar>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "fileconv/RunHost.h"
#include "gui/MainWindow.h"
#include "gui/ToolbarButton.h"
#include "tests/support/Bytes.h"
#include "tests/support/TempDir.h"

namespace mxt::gui::testing {

// "A亜\n" in Shift-JIS, what MakeFiles writes.
inline const std::string kShiftJIS = ::mxt::testing::Bytes("'A' 88 9F 0A");

// A main window as a start makes it, over settings kept in the test's folder; the message
// boxes are answered and recorded, and the viewer is never really started.
class MainWindowFixture : public ::testing::Test {
 protected:
  struct Message {
    fileconv::MessageKind kind;
    std::string text;
    // Whether a dialog was open when it came, the cursor the application showed, and
    // whether the window was minimized.
    bool overDialog = false;
    Qt::CursorShape cursor = Qt::ArrowCursor;
    bool minimized = false;
  };

  void SetUp() override;
  void TearDown() override;

  // Makes and shows the window with these command-line arguments over startSettings_; its
  // first idle moment follows when `firstIdle` is set. Without `shown` the window is only
  // made, as a start has it before the desktop shows it, and `firstIdle` is left to the test.
  MainWindow& Open(const std::vector<std::string>& arguments = {}, bool firstIdle = true,
                   bool shown = true);
  // What the window holds, once it is open.
  fileconv::Settings& CurrentSettings() const { return window_->Session().settings; }
  fileconv::FileList& Files() const { return window_->Session().files; }
  fileconv::ConversionRun& Run() const { return window_->Session().run; }
  // Runs `act` on the next modal dialog, once it is shown; `act` closes it. False when none
  // came up in `act`'s place while `run` ran.
  bool WithDialog(const std::function<void()>& run, const std::function<void(QDialog&)>& act);
  // Closes a file dialog as confirmed with `path` typed as the file name; the toolkit's own
  // questions (replace the file?) are not ours to test.
  static void ChooseFile(QDialog& dialog, const std::string& path);
  // Gives the window's client area this size.
  void ResizeClient(int width, int height);

  QPushButton& ConvButton() const;
  FileListView& List(const char* name) const;
  QStatusBar& StatusLine() const;
  QAction& Item(const char* name) const;
  ToolbarButton& Button(const char* name) const;
  QWidget& Control(const char* name) const;
  // The status columns of input entry `row` as the list publishes them.
  std::string RowDescription(int row) const;

  std::string Path(const std::string& name) const { return dir_ / name; }
  // Writes these files, in Shift-JIS, in the test's folder.
  void MakeFiles(const std::vector<std::string>& names) const;
  // Writes the settings file the next window reads.
  void WriteSettings(const std::string& text) const;

  ::mxt::testing::TempDir dir_;
  std::unique_ptr<::mxt::testing::ScopedEnv> config_;
  std::string startFolder_;
  std::unique_ptr<::mxt::testing::ScopedEnv> runtime_;
  // What the start found before the window was made: a system with the new-shell style.
  fileconv::Settings startSettings_;
  // Handed to the window, which holds it until its first idle moment.
  app::StartupLock startupLock_;
  std::unique_ptr<MainWindow> window_;
  std::vector<Message> messages_;
  fileconv::MessageAnswer answer_ = fileconv::MessageAnswer::Ok;
  std::vector<std::vector<std::string>> started_;
};

}  // namespace mxt::gui::testing
