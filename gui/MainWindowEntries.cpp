// The entries of the two lists: adding, drawing, clearing, opening in the viewer, and the
// status line that shows the selected entry's path.
#include <QFileDialog>
#include <QPainter>

#include "app/EntryViewer.h"
#include "fileconv/ConversionRun.h"
#include "fileconv/FileList.h"
#include "fileconv/RunState.h"
#include "fileconv/SettingsRecord.h"
#include "gui/HelpContext.h"
#include "gui/MainWindow.h"
#include "gui/MessageBox.h"
#include "gui/Pictures.h"
#include "gui/SystemText.h"

namespace mxt::gui {

namespace {

using fileconv::Files;
using fileconv::RunStatus;
using fileconv::Settings;

constexpr int kPictureSize = 16;

fileconv::ListId IdOf(const FileListView& list, const FileListView* convListBox) {
  return &list == convListBox ? fileconv::ListId::Input : fileconv::ListId::Output;
}

// Text with tabs, each moving on to the next stop after what was drawn before it.
void DrawTabbedText(QPainter& painter, int x, int baseline, const QString& text,
                    const int (&stops)[2]) {
  const QFontMetrics metrics = painter.fontMetrics();
  int at = x;
  const QStringList parts = text.split(QLatin1Char('\t'));
  for (qsizetype i = 0; i < parts.size(); ++i) {
    painter.drawText(QPoint(at, baseline), parts[i]);
    at += metrics.horizontalAdvance(parts[i]);
    if (i + 1 == parts.size()) break;
    const int* stop =
        std::find_if(std::begin(stops), std::end(stops), [&](int s) { return x + s > at; });
    at = stop != std::end(stops) ? x + *stop : at + metrics.horizontalAdvance(QLatin1Char(' '));
  }
}

}  // namespace

FileListModel& MainWindow::ModelOf(fileconv::ListId list) const {
  return list == fileconv::ListId::Input ? *inputModel_ : *outputModel_;
}

FileListView* MainWindow::FocusedList() const {
  QWidget* focused = focusWidget();
  if (focused == convListBox_) return convListBox_;
  if (focused == outputListBox_) return outputListBox_;
  return nullptr;
}

void MainWindow::SelectFiles() {
  QFileDialog dialog(this, QStringLiteral("ファイルを選択"));
  PrepareDialog(dialog, QStringLiteral("SelectDialog"));
  dialog.setFileMode(QFileDialog::ExistingFiles);
  dialog.setNameFilters({QStringLiteral("Text Files (*.txt)"),
                         QStringLiteral("HTML Files (*.htm *.html)"),
                         QStringLiteral("All Files (*)")});
  dialog.setDefaultSuffix(QStringLiteral("txt"));
  if (dialog.exec() != QDialog::Accepted) return;
  std::vector<std::string> paths;
  for (const QString& chosen : dialog.selectedFiles())
    paths.push_back(PathToSystem(chosen));
  if (paths.empty()) return;
  fileconv::ReportNotAdded(paths.size(), fileconv::AddFileBatch(paths, *this), *this);
  if (Settings.ConvWhenSelected && items_.at("ConvMItem")->isEnabled()) ConvertNow();
}

void MainWindow::FilesAdded(std::size_t firstNewIndex) {
  inputModel_->EntriesAdded();
  if (convListBox_->hasFocus() && firstNewIndex == 0) ListBoxChange(*convListBox_, 0);
  SetCommandsEnabled(true);
  convListBox_->scrollTo(inputModel_->index(static_cast<int>(firstNewIndex)),
                         QAbstractItemView::PositionAtTop);
  if (Settings.DontShortenFileName && fileconv::UpdateTabStops()) RepaintLists();
}

void MainWindow::ClearFileList() {
  SetCommandsEnabled(false);
  if (convListBox_->hasFocus()) ListBoxExit(*convListBox_);
  fileconv::ClearFileList();
  inputModel_->EntriesReset();
  if (!Settings.DontShortenFileName) return;
  Files.LongestNameWidth = Settings.OutputToFile ? fileconv::OutputNameWidth(*this) : 0;
  if (fileconv::UpdateTabStops()) RepaintLists();
}

void MainWindow::DrawEntry(FileListView& list, int index, QPainter& dest, const QRect& itemRect) {
  const FileListModel& model = ModelOf(IdOf(list, convListBox_));
  const fileconv::FileEntry* entry = model.Entry(index);
  if (!entry) return;
  dest.drawPixmap(2, (itemRect.height() - kPictureSize) / 2, FileImagePixmap(entry->Bitmap));
  std::string text = Settings.DontShortenFileName ? entry->Name : entry->DisplayName;
  const std::string status = fileconv::StatusColumns(*entry, model.List());
  if (!status.empty()) text += "\t" + status;
  const int baseline = list.TextTopBase() + 2 + dest.fontMetrics().ascent();
  DrawTabbedText(dest, kPictureSize + 4, baseline, FromSystem(text), Files.StatusTabStops);
}

void MainWindow::ListFontChanged(FileListView& list) {
  fileconv::RemeasureNames(IdOf(list, convListBox_), *this);
  if (&list == convListBox_ && Settings.DontShortenFileName) fileconv::UpdateTabStops();
  list.viewport()->update();
}

void MainWindow::OpenEntry(FileListView& list, int index, bool conv) {
  if (index < 0) return;
  app::OpenInViewer(IdOf(list, convListBox_), static_cast<std::size_t>(index), conv, *this,
                    startProgram_);
}

void MainWindow::ListBoxChange(FileListView& list, int index) {
  const fileconv::FileEntry* entry = ModelOf(IdOf(list, convListBox_)).Entry(index);
  if (!entry) return;
  RunStatus.StatusText = " " + entry->Path;
  if (!hintShown_) statusLine_->showMessage(FromSystem(RunStatus.StatusText));
}

void MainWindow::ListBoxEnter(FileListView& list) {
  if (list.model()->rowCount() > 0) ListBoxChange(list, list.Caret());
}

void MainWindow::ListBoxExit(FileListView&) {
  if (!hintShown_) statusLine_->clearMessage();
  RunStatus.StatusText.clear();
}

void MainWindow::ShowHint(const QString& hint) {
  hintShown_ = !hint.isEmpty();
  statusLine_->showMessage(hintShown_ ? hint : FromSystem(RunStatus.StatusText));
}

void MainWindow::RepaintLists() {
  convListBox_->viewport()->update();
  outputListBox_->viewport()->update();
}

void MainWindow::DeleteViewerTempFiles() {
  const std::size_t undeleted = fileconv::DeleteViewerTempFiles();
  if (undeleted == 0) return;
  ShowPlainMessage(nullptr, "MXT",
                   std::to_string(undeleted) +
                       " 個のテンポラリファイルは、すでに存在しないか現在使用中などの理由により、"
                       "削除できませんでした。");
}

}  // namespace mxt::gui
