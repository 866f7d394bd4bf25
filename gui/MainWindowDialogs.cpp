// The main window's dialogs: options, font, the about box, and help.
#include <QApplication>
#include <QFontDialog>

#include "app/DialogPlacement.h"
#include "app/OptionsPages.h"
#include "gui/AboutDialog.h"
#include "gui/Geometry.h"
#include "gui/HelpContext.h"
#include "gui/MainWindow.h"
#include "gui/OptionsDialog.h"

namespace mxt::gui {

namespace {

constexpr int kMinFontSize = 1;
constexpr int kMaxFontSize = 127;

}  // namespace

MainWindow::ArrowDuringRun::ArrowDuringRun(bool running) : running_(running) {
  if (running_) QApplication::setOverrideCursor(Qt::ArrowCursor);
}

MainWindow::ArrowDuringRun::~ArrowDuringRun() {
  if (running_) QApplication::restoreOverrideCursor();
}

void MainWindow::OpenOptionsDialog(int page) {
  if (!options_) {
    options_ = new OptionsDialog(this, boxes_, help_);
    options_->adjustSize();
    // Not shown yet, the dialog has no frame: it is taken to get one like the window's.
    const QSize frame = frameGeometry().size() - size();
    const app::Bounds place =
        app::CentredOver(BoundsOf(frameGeometry()), options_->width() + frame.width(),
                         options_->height() + frame.height());
    options_->move(place.left, place.top);
  }
  fileconv::Settings& settings = session_.settings;
  options_->Fill(settings);
  options_->ShowPage(page);
  if (options_->exec() != QDialog::Accepted) return;
  const bool dontShortenBefore = settings.DontShortenFileName;
  options_->Apply(settings);
  SetOutputKanjiCode(settings.OutputKanjiCode);
  SetOutputNewlineCode(static_cast<int>(settings.OutputNewlineCode));
  if (settings.DontShortenFileName == dontShortenBefore) return;
  RefitStatusColumns();
  RepaintLists();
}

void MainWindow::ChooseListFont() {
  QFontDialog dialog(convListBox_->font(), this);
  PrepareDialog(dialog, QStringLiteral("FontDialog"), help_);
  if (dialog.exec() != QDialog::Accepted) return;
  // Face and size only: the style and the effects chosen stay out of the list.
  QFont listFont = convListBox_->font();
  listFont.setFamily(dialog.selectedFont().family());
  listFont.setPointSize(std::clamp(dialog.selectedFont().pointSize(), kMinFontSize, kMaxFontSize));
  session_.settings.FontName = listFont.family().toStdString();
  session_.settings.FontSize = listFont.pointSize();
  ApplyListFont(listFont);
}

void MainWindow::ShowAbout() {
  AboutDialog about(this);
  about.SetIcon(windowIcon());
  const ArrowDuringRun arrow(session_.run.Busy());
  about.exec();
}

// The new-shell style opens the search over the topics, the classic style the keywords.
void MainWindow::SearchHelp() {
  if (session_.settings.GUIStyle == 1) {
    help_.ShowKeywords(QString());
  } else {
    help_.ShowFinder();
  }
}

}  // namespace mxt::gui
