// The main window's dialogs: options, font, the about box, and help.
#include <QApplication>
#include <QFontDialog>

#include "app/DialogPlacement.h"
#include "app/OptionsPages.h"
#include "fileconv/RunState.h"
#include "fileconv/SettingsRecord.h"
#include "gui/AboutDialog.h"
#include "gui/Geometry.h"
#include "gui/HelpContext.h"
#include "gui/HelpWindow.h"
#include "gui/MainWindow.h"
#include "gui/OptionsDialog.h"

namespace mxt::gui {

namespace {

using fileconv::Settings;

constexpr int kMinFontSize = 1;
constexpr int kMaxFontSize = 127;

}  // namespace

MainWindow::ArrowDuringRun::ArrowDuringRun() : running_(fileconv::RunStatus.Busy) {
  if (running_) QApplication::setOverrideCursor(Qt::ArrowCursor);
}

MainWindow::ArrowDuringRun::~ArrowDuringRun() {
  if (running_) QApplication::restoreOverrideCursor();
}

void MainWindow::OpenOptionsDialog(int page) {
  if (!options_) {
    options_ = new OptionsDialog(this);
    options_->adjustSize();
    // Not shown yet, the dialog has no frame: it is taken to get one like the window's.
    const QSize frame = frameGeometry().size() - size();
    const app::Bounds place =
        app::CentredOver(BoundsOf(frameGeometry()), options_->width() + frame.width(),
                         options_->height() + frame.height());
    options_->move(place.left, place.top);
  }
  options_->FillOptionsDialog();
  options_->ShowPage(page);
  if (options_->exec() != QDialog::Accepted) return;
  const bool dontShortenBefore = Settings.DontShortenFileName;
  options_->ApplyOptionsDialog();
  SetOutputKanjiCode(Settings.OutputKanjiCode);
  SetOutputNewlineCode(static_cast<int>(Settings.OutputNewlineCode));
  if (Settings.DontShortenFileName == dontShortenBefore) return;
  app::NameShorteningChanged(*this);
  RepaintLists();
}

void MainWindow::ChooseListFont() {
  QFontDialog dialog(convListBox_->font(), this);
  PrepareDialog(dialog, QStringLiteral("FontDialog"));
  if (dialog.exec() != QDialog::Accepted) return;
  // Face and size only: the style and the effects chosen stay out of the list.
  QFont listFont = convListBox_->font();
  listFont.setFamily(dialog.selectedFont().family());
  listFont.setPointSize(std::clamp(dialog.selectedFont().pointSize(), kMinFontSize, kMaxFontSize));
  Settings.FontName = listFont.family().toStdString();
  Settings.FontSize = listFont.pointSize();
  ApplyListFont(listFont);
}

void MainWindow::ShowAbout() {
  AboutDialog about(this);
  about.SetIcon(windowIcon());
  const ArrowDuringRun arrow;
  about.exec();
}

// The new-shell style opens the search over the topics, the classic style the keywords.
void MainWindow::SearchHelp() {
  if (Settings.GUIStyle == 1) {
    ShowHelpKeywords(QString());
  } else {
    ShowHelpFinder();
  }
}

}  // namespace mxt::gui
