#pragma once

#include <QAction>
#include <QElapsedTimer>
#include <QFont>
#include <QFontMetrics>
#include <QFrame>
#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/EntryViewer.h"
#include "app/HandOverChannel.h"
#include "app/SettingsWindow.h"
#include "fileconv/RunHost.h"
#include "gui/DropForm.h"
#include "gui/FileListModel.h"
#include "gui/FileListView.h"
#include "gui/ToolbarButton.h"

namespace mxt::gui {

class ConversionArrow;
class InstanceServer;
class OptionsDialog;

// The main window: the toolbar, the input list, the output list with the arrow above it,
// the convert button, the status line, the main menu and the context menu. The work that
// is not drawing (the lists' entries, the run, the settings) lives in the layers below,
// which reach the window through RunHost and SettingsWindow.
class MainWindow : public TDropForm, public fileconv::RunHost, public app::SettingsWindow {
 public:
  // Creates the window as the program starts: its controls, the settings loaded, the
  // command line `arguments` parsed. Nothing is shown yet.
  explicit MainWindow(const std::vector<std::string>& arguments);
  ~MainWindow() override;

  // The completion mark: creation went through.
  bool Created() const { return created_; }
  // What the first idle moment does; false when a run it started ended in an error.
  bool OnFirstIdle();

  void SetOutputKanjiCode(int code);
  void SetOutputNewlineCode(int code);
  void LayoutControls();
  void ApplyListFont(const QFont& font);
  // The convert commands, with "Clear", follow whether the input list has entries.
  void SetCommandsEnabled(bool enabled);
  // Back to overwrite mode; `sender` is the speed button that asked, or null.
  void SetOverwriteModeFrom(ToolbarButton* sender);
  void ListBoxChange(FileListView& list, int index);
  // Files dropped on the window, or handed over by another start of the program.
  void FormDropFiles(int x, int y, bool inClientArea);
  // What a second start asks of the running window over the channel.
  app::InstanceState InstanceStateNow() const;
  void ShowAsAsked(app::HandOverMessage message);
  // The rows of `list` dragged out to other programs: the selected entries' paths, in
  // list order. Raises DragDropError when an entry has no path a file manager can take.
  QMimeData* DraggedFiles(const FileListView& list) const;
  // Opens the options dialog on page 0..4; after OK the toolbar and the name column follow
  // the settings.
  void OpenOptionsDialog(int page);
  // Starts the program the viewer opens a file with; tests stand in for it.
  void SetProgramStarter(app::ProgramStarter start) { startProgram_ = std::move(start); }

  FileListView* ConvListBox() const { return convListBox_; }
  FileListView* OutputListBox() const { return outputListBox_; }

  // RunHost
  fileconv::MessageAnswer ShowMessage(fileconv::MessageKind kind, std::string_view text,
                                      fileconv::MessageButtons buttons) override;
  std::optional<int> TextWidth(std::string_view text) override;
  void RedrawLine(fileconv::ListId list, std::size_t index) override;
  void RepaintList(fileconv::ListId list) override;
  void SetStatusText(std::string_view text) override;
  void SetCommandsLocked(std::span<const std::string_view> menuItems, bool locked) override;
  void SetConvertButton(std::string_view caption, bool cancels) override;
  void SetBusy(bool busy) override;
  void ProcessPendingEvents() override;
  void ProcessPaintEvents() override;
  void CloseMainWindow() override;
  void SetOverwriteMode() override;
  void ShowOutputList() override;
  void RefreshFocusedEntry() override;
  void FilesAdded(std::size_t firstNewIndex) override;

  // SettingsWindow
  WindowState State() const override;
  app::Bounds CurrentBounds() const override;
  app::Bounds NormalBounds() const override;
  void SetNormalBounds(const app::Bounds& bounds) override;
  void SetBounds(const app::Bounds& bounds) override;
  void Maximize() override;
  std::optional<app::Rect> WorkArea() const override;
  app::Rect Screen() const override;
  bool HasScreenFont(const std::string& face) const override;
  app::FontChoice DefaultListFont() const override;

 protected:
  bool event(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // The normal arrow over a box shown during a run; the hourglass again after it.
  class ArrowDuringRun {
   public:
    ArrowDuringRun();
    ~ArrowDuringRun();
    ArrowDuringRun(const ArrowDuringRun&) = delete;
    ArrowDuringRun& operator=(const ArrowDuringRun&) = delete;

   private:
    bool running_;
  };

  // MainWindow.cpp: creation and destruction
  void LoadStoredSettings();
  void ApplyStyle();
  void ApplyStoredListFont();
  void SaveStoredSettings();
  void RememberNormalPlace();
  // Runs a command; an error it raises is shown as the program's errors are.
  void RunCommand(const std::function<void()>& command);
  void ShowError(const std::exception& error);

  // MainWindowControls.cpp
  void MakeControls();
  void MakeSpeedBar();
  ToolbarButton* AddSpeedButton(ToolbarButton* button, int left, const char* hint, int glyph);
  FileListView* MakeList(const QString& name, fileconv::ListId list);
  void ConnectListEvents(FileListView& list);

  // MainWindowMenus.cpp
  void MakeMenus();
  QAction* AddItem(QMenu& menu, const char* name, const char* caption, const char* hint,
                   std::function<void()> command);
  void ConnectCommands();
  void ViewMenuOpening();
  void SetCodeAndNewline(int code, int newline);
  void NewlineButtonClicked(ToolbarButton& button, int newline);
  void ChooseOutputFile(ToolbarButton* sender);
  void RestoreDefaultSettings();
  void ConvertNow();

  // MainWindowDialogs.cpp
  void ShowAbout();
  void SearchHelp();
  void ChooseListFont();

  // MainWindowEntries.cpp
  void SelectFiles();
  void ClearFileList();
  void DrawEntry(FileListView& list, int index, QPainter& dest, const QRect& itemRect);
  void ListFontChanged(FileListView& list);
  void OpenEntry(FileListView& list, int index, bool conv);
  void ListBoxEnter(FileListView& list);
  void ListBoxExit(FileListView& list);
  void ShowHint(const QString& hint);
  void RepaintLists();
  void DeleteViewerTempFiles();
  FileListModel& ModelOf(fileconv::ListId list) const;
  FileListView* FocusedList() const;

  // MainWindowDrops.cpp
  void OpenChannel();
  void Unminimize();
  void DragFilesOut(FileListView& list);

  // MainWindowHost.cpp
  bool TimeToShow();
  void ShowChangedRows();

  // MainWindowLayout.cpp
  bool IsCustomLayout(const QFont& font) const;
  void PlaceStatusLine(bool visible);

  bool created_ = false;
  std::vector<std::string> arguments_;
  app::ProgramStarter startProgram_;

  QWidget* client_ = nullptr;
  QFrame* speedBar_ = nullptr;
  QFrame* speedBarBevel_ = nullptr;
  ToolbarButton* selectButton_ = nullptr;
  StickyToolbarButton* overwriteButton_ = nullptr;
  OutputFileButton* outputToFileButton_ = nullptr;
  StickyToolbarButton* codeButtons_[3] = {};
  ToolbarButton* newlineButtons_[3] = {};
  std::vector<ToolbarButton*> speedButtons_;
  FileListView* convListBox_ = nullptr;
  FileListView* outputListBox_ = nullptr;
  FileListModel* inputModel_ = nullptr;
  FileListModel* outputModel_ = nullptr;
  ConversionArrow* convArrow_ = nullptr;
  QPushButton* convButton_ = nullptr;
  QShortcut* cancelShortcut_ = nullptr;
  QStatusBar* statusLine_ = nullptr;

  QMenu* popupSpeedMenu_ = nullptr;
  QPointer<OptionsDialog> options_;
  // Menu and popup items by their names.
  std::map<std::string, QAction*> items_;

  // The frame's place and the inside's size while neither maximized nor minimized.
  QRect normalPlace_;

  bool customLayout_ = false;
  bool hintShown_ = false;
  bool hintsOn_ = true;
  bool busy_ = false;
  // The next drop was handed over by another start: it never starts a run by itself.
  bool handedOver_ = false;
  InstanceServer* channel_ = nullptr;
  // Lines the run changed that the window has not shown yet, and when it last showed any.
  static constexpr int kShowEveryMilliseconds = 40;
  std::vector<std::pair<fileconv::ListId, int>> changedRows_;
  QElapsedTimer shown_;
  // When the run last let the window's events through.
  static constexpr int kLookEveryMilliseconds = 10;
  QElapsedTimer looked_;
  // The list font and its metrics, as last measured with.
  std::optional<std::pair<QFont, QFontMetrics>> listMetrics_;
};

}  // namespace mxt::gui
