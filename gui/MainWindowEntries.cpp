// The entries of the two lists: adding, drawing, clearing, opening in the viewer, and the
// status line that shows the selected entry's path.
#include <QFileDialog>
#include <QPainter>

#include "fileconv/PathText.h"
#include "gui/HelpContext.h"
#include "gui/MainWindow.h"
#include "gui/Pictures.h"
#include "gui/SystemText.h"

namespace mxt::gui {

namespace {

constexpr int kPictureSize = 16;

// Text with tabs, each moving on to the next stop after what was drawn before it.
void DrawTabbedText(QPainter& painter, int x, int baseline, const QString& text,
                    const std::array<int, 2>& stops) {
  const QFontMetrics metrics = painter.fontMetrics();
  int at = x;
  const QStringList parts = text.split(QLatin1Char('\t'));
  for (qsizetype i = 0; i < parts.size(); ++i) {
    painter.drawText(QPoint(at, baseline), parts[i]);
    at += metrics.horizontalAdvance(parts[i]);
    if (i + 1 == parts.size()) break;
    const auto stop = std::find_if(stops.begin(), stops.end(), [&](int s) { return x + s > at; });
    at = stop != stops.end() ? x + *stop : at + metrics.horizontalAdvance(QLatin1Char(' '));
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

void MainWindow::PrepareTextFileDialog(QFileDialog& dialog, const QString& name) {
  PrepareDialog(dialog, name, help_);
  dialog.setNameFilters({QStringLiteral("Text Files (*.txt)"),
                         QStringLiteral("HTML Files (*.htm *.html)"),
                         QStringLiteral("All Files (*)")});
  dialog.setDefaultSuffix(QStringLiteral("txt"));
}

void MainWindow::SelectFiles() {
  QFileDialog dialog(this, tr("ファイルを選択"));
  PrepareTextFileDialog(dialog, QStringLiteral("SelectDialog"));
  dialog.setFileMode(QFileDialog::ExistingFiles);
  if (dialog.exec() != QDialog::Accepted) return;
  std::vector<std::string> paths;
  for (const QString& chosen : dialog.selectedFiles())
    paths.push_back(PathToSystem(chosen));
  if (paths.empty()) return;
  fileconv::ReportNotAdded(paths.size(), session_.files.AddBatch(paths, *this), *this);
  if (session_.settings.ConvWhenSelected && items_.at("ConvMItem")->isEnabled()) ConvertNow();
}

void MainWindow::FilesAdded(std::size_t firstNewIndex) {
  inputModel_->EntriesAdded();
  if (FocusedList() == convListBox_ && firstNewIndex == 0) CurrentEntryChanged(*convListBox_, 0);
  SetCommandsEnabled(true);
  convListBox_->scrollTo(inputModel_->index(static_cast<int>(firstNewIndex)),
                         QAbstractItemView::PositionAtTop);
  RefitStatusColumns();
}

void MainWindow::ClearFileList() {
  SetCommandsEnabled(false);
  if (FocusedList() == convListBox_) ListUnfocused();
  session_.files.Clear();
  inputModel_->EntriesReset();
  RefitStatusColumns();
}

void MainWindow::RefitStatusColumns() {
  if (session_.files.FitStatusColumns(session_.settings.DontShortenFileName)) RepaintLists();
}

void MainWindow::DrawEntry(FileListView& list, int index, QPainter& dest, const QRect& itemRect) {
  const FileListModel& model = list.model() == inputModel_ ? *inputModel_ : *outputModel_;
  const fileconv::FileEntry* entry = model.Entry(index);
  if (!entry) return;
  dest.drawPixmap(2, (itemRect.height() - kPictureSize) / 2, FileImagePixmap(entry->Bitmap));
  std::string text = session_.settings.DontShortenFileName ? entry->Name : entry->DisplayName;
  const std::string status = fileconv::StatusColumns(*entry, model.List());
  if (!status.empty()) text += "\t" + status;
  const int baseline = list.TextTopBase() + 2 + dest.fontMetrics().ascent();
  DrawTabbedText(dest, kPictureSize + 4, baseline, FromSystem(text),
                 session_.files.Column().StatusTabStops());
}

// The names are measured in the input list's font, which both lists share.
void MainWindow::ListFontChanged() {
  session_.files.MeasureNames(*this);
  RefitStatusColumns();
  RepaintLists();
}

void MainWindow::OpenEntry(FileListView& list, int index, bool conv) {
  if (index < 0) return;
  const fileconv::ListId id =
      &list == convListBox_ ? fileconv::ListId::Input : fileconv::ListId::Output;
  viewer_.Open(session_, id, static_cast<std::size_t>(index), conv);
}

void MainWindow::CurrentEntryChanged(FileListView& list, int index) {
  const FileListModel& model = list.model() == inputModel_ ? *inputModel_ : *outputModel_;
  const fileconv::FileEntry* entry = model.Entry(index);
  if (!entry) return;
  statusText_ = QStringLiteral(" ") + FromSystem(fileconv::ShownOnOneLine(entry->Path));
  if (!hintShown_) statusLine_->showMessage(statusText_);
}

void MainWindow::ListFocused(FileListView& list) {
  if (list.model()->rowCount() > 0) CurrentEntryChanged(list, list.Caret());
}

void MainWindow::ListUnfocused() {
  if (!hintShown_) statusLine_->clearMessage();
  statusText_.clear();
}

void MainWindow::ShowHint(const QString& hint) {
  hintShown_ = !hint.isEmpty();
  statusLine_->showMessage(hintShown_ ? hint : statusText_);
}

void MainWindow::RepaintLists() {
  convListBox_->viewport()->update();
  outputListBox_->viewport()->update();
}

void MainWindow::DeleteViewerCopies() {
  const std::size_t undeleted = viewer_.DeleteCopies();
  if (undeleted == 0) return;
  boxes_.ShowPlain(nullptr, "MXT",
                   tr("%1 個のテンポラリファイルは、すでに存在しないか現在使用中などの理由により、"
                      "削除できませんでした。")
                       .arg(undeleted)
                       .toStdString());
}

}  // namespace mxt::gui
