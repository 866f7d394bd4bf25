#pragma once

#include <QAction>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFont>
#include <QFontMetrics>
#include <QFrame>
#include <QMainWindow>
#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/EntryViewer.h"
#include "app/HandOverChannel.h"
#include "app/Session.h"
#include "app/SettingsWindow.h"
#include "app/Startup.h"
#include "fileconv/RunHost.h"
#include "gui/FileListModel.h"
#include "gui/FileListView.h"
#include "gui/MessageBox.h"
#include "gui/OutputFileButton.h"
#include "gui/ProgramHelp.h"
#include "gui/StatusLine.h"
#include "gui/StickyToolbarButton.h"
#include "gui/ToolbarButton.h"

namespace mxt::gui {

class ConversionArrow;
class FileDropTarget;
class InstanceServer;
class OptionsDialog;

// The main window: the toolbar, the input list, the output list with the arrow above it,
// the convert button, the status line, the main menu and the context menu. It owns the
// session of this start (the settings, the file lists, the run), whose logic lives in the
// layers below and reaches the window through RunHost and SettingsWindow.
class MainWindow : public QMainWindow, public fileconv::RunHost, public app::SettingsWindow {
  Q_DECLARE_TR_FUNCTIONS(MainWindow)

 public:
  // Creates the window as the program starts: its controls, the settings loaded, the
  // command line parsed. Nothing is shown yet. Tests answer its boxes with `answerer`.
  explicit MainWindow(app::StartupInfo start, MessageAnswerer answerer = {});
  ~MainWindow() override;

  app::Session& Session() { return session_; }
  const app::Session& Session() const { return session_; }

  // What the first idle moment does. A batch run that had nothing to convert ends here.
  app::FirstRun OnFirstIdle();

  void SetOutputKanjiCode(int code);
  void SetOutputNewlineCode(int code);
  void LayoutControls();
  void ApplyListFont(const QFont& font);
  // The convert commands, with "Clear", follow whether the input list has entries.
  void SetCommandsEnabled(bool enabled);
  // Back to overwrite mode; `sender` is the toolbar button that asked, or null.
  void SetOverwriteModeFrom(ToolbarButton* sender);
  // The caret of `list` moved to `index`: the status line shows that entry's path.
  void CurrentEntryChanged(FileListView& list, int index);
  // Files dropped on the window, or handed over by another start of the program, which
  // never start a run by themselves.
  void AddDroppedFiles(const std::vector<std::string>& names, bool handedOver);
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
  void SetProgramStarter(app::ProgramStarter start) { viewer_.SetProgramStarter(std::move(start)); }
  // Answers the window's message boxes instead of a person, for tests.
  void SetMessageAnswerer(MessageAnswerer answerer) { boxes_.SetAnswerer(std::move(answerer)); }

  // The program's help window, while it is open.
  HelpWindow* OpenHelpWindow() const { return help_.OpenWindow(); }

  FileListView* ConvListBox() const { return convListBox_; }
  FileListView* OutputListBox() const { return outputListBox_; }

  // RunHost
  fileconv::MessageAnswer ShowMessage(fileconv::MessageKind kind, std::string_view text,
                                      fileconv::MessageButtons buttons) override;
  std::optional<int> TextWidth(std::string_view text) override;
  void FilesAdded(std::size_t firstNewIndex) override;
  void EntryChanged(fileconv::ListId list, std::size_t index) override;
  void ListChanged(fileconv::ListId list) override;
  void RunStarted() override;
  void FileStarted(std::string_view path, std::size_t number, std::size_t count,
                   std::int64_t size) override;
  void FileProgress(int percent) override;
  void FileNote(std::string_view text) override;
  void RunEnded() override;
  void ProcessPendingEvents() override;
  void CloseMainWindow() override;
  void SetOverwriteMode() override;
  void ShowOutputList() override;

  // SettingsWindow
  WindowState State() const override;
  app::Bounds CurrentBounds() const override;
  app::Bounds NormalBounds() const override;
  void SetNormalBounds(const app::Bounds& bounds, bool placeStored) override;
  void SetBounds(const app::Bounds& bounds) override;
  void Maximize() override;
  std::optional<app::Rect> WorkArea() const override;
  app::Rect Screen() const override;
  bool HasScreenFont(const std::string& face) const override;
  app::FontChoice DefaultListFont() const override;

 protected:
  bool event(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // The normal arrow over a box shown during a run; the hourglass again after it.
  class ArrowDuringRun {
   public:
    explicit ArrowDuringRun(bool running);
    ~ArrowDuringRun();
    ArrowDuringRun(const ArrowDuringRun&) = delete;
    ArrowDuringRun& operator=(const ArrowDuringRun&) = delete;

   private:
    bool running_;
  };

  // MainWindow.cpp: creation and destruction
  void ApplyStyle();
  void ApplyStoredListFont();
  void SaveStoredSettings();
  void RememberNormalPlace();
  // Runs a command; an error it raises is shown as the program's errors are.
  void RunCommand(const std::function<void()>& command);

  // MainWindowControls.cpp
  void MakeControls();
  void MakeToolbar();
  ToolbarButton* AddToolbarButton(ToolbarButton* button, int left, const QString& hint, int glyph);
  FileListView* MakeList(const QString& name, fileconv::ListId list);
  void ConnectListEvents(FileListView& list);

  // MainWindowMenus.cpp
  void MakeMenus();
  QAction* AddItem(QMenu& menu, const char* name, const QString& caption, const QString& hint,
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
  // A dialog of text files: its name, its help, and its filters.
  void PrepareTextFileDialog(QFileDialog& dialog, const QString& name);
  void SelectFiles();
  void ClearFileList();
  void DrawEntry(FileListView& list, int index, QPainter& dest, const QRect& itemRect);
  void ListFontChanged();
  // Where the status columns stand after names came or went or the shortening changed.
  void RefitStatusColumns();
  void OpenEntry(FileListView& list, int index, bool conv);
  void ListFocused(FileListView& list);
  void ListUnfocused();
  void ShowHint(const QString& hint);
  void RepaintLists();
  void DeleteViewerCopies();
  FileListModel& ModelOf(fileconv::ListId list) const;
  // The list that is the window's focus control, also while a dialog or another program has
  // the keyboard.
  FileListView* FocusedList() const;

  // MainWindowDrops.cpp
  void OpenChannel();
  void Unminimize();
  void DragFilesOut(FileListView& list);

  // MainWindowHost.cpp
  bool TimeToShow();
  void ShowChangedRows();
  void ShowRunStatus(const QString& text);
  void LockCommands(bool locked);
  void SetBusy(bool busy);

  // MainWindowLayout.cpp
  bool IsCustomLayout(const QFont& font) const;
  void PlaceStatusLine(bool visible);

  app::Session session_;
  app::EntryViewer viewer_;
  MessageBoxes boxes_;
  ProgramHelp help_;

  QWidget* client_ = nullptr;
  QFrame* toolbar_ = nullptr;
  QFrame* toolbarBevel_ = nullptr;
  ToolbarButton* selectButton_ = nullptr;
  StickyToolbarButton* overwriteButton_ = nullptr;
  OutputFileButton* outputToFileButton_ = nullptr;
  StickyToolbarButton* codeButtons_[4] = {};
  ToolbarButton* newlineButtons_[3] = {};
  std::vector<ToolbarButton*> toolbarButtons_;
  FileListView* convListBox_ = nullptr;
  FileListView* outputListBox_ = nullptr;
  FileListModel* inputModel_ = nullptr;
  FileListModel* outputModel_ = nullptr;
  ConversionArrow* convArrow_ = nullptr;
  QPushButton* convButton_ = nullptr;
  QShortcut* cancelShortcut_ = nullptr;
  StatusLine* statusLine_ = nullptr;
  FileDropTarget* dropTarget_ = nullptr;

  QMenu* popupMenu_ = nullptr;
  QPointer<OptionsDialog> options_;
  // Menu and popup items by their names.
  std::map<std::string, QAction*> items_;
  // The menu items a run locks, with whether each was enabled before it.
  std::vector<std::pair<QAction*, bool>> lockedDuringRun_;

  // The frame's place and the inside's size while neither maximized nor minimized.
  QRect normalPlace_;

  // What the status line shows when no hint is shown: the selected entry's path.
  QString statusText_;
  // What it shows while a file converts, before the percentage.
  QString converting_;
  bool customLayout_ = false;
  bool hintShown_ = false;
  bool hintsOn_ = true;
  bool busy_ = false;
  InstanceServer* channel_ = nullptr;
  // Lines the run changed that the window has not shown yet, and when it last showed any.
  static constexpr int kShowEveryMilliseconds = 40;
  // Converted in about that time or longer.
  static constexpr std::int64_t kLongFileBytes = std::int64_t{4} << 20;
  std::vector<std::pair<fileconv::ListId, int>> changedRows_;
  QElapsedTimer shown_;
  // When the run last let the window's events through.
  static constexpr int kLookEveryMilliseconds = 10;
  QElapsedTimer looked_;
  // The list font and its metrics, as last measured with.
  std::optional<std::pair<QFont, QFontMetrics>> listMetrics_;
};

}  // namespace mxt::gui
