#include "tests/gui/MainWindowFixture.h"

#include <sys/stat.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include "platform/CurrentDirectory.h"

namespace mxt::gui::testing {

void MainWindowFixture::SetUp() {
  startFolder_ = platform::CurrentDirectory();
  config_ =
      std::make_unique<::mxt::testing::ScopedEnv>("XDG_CONFIG_HOME", (dir_ / "config").c_str());
  runtime_ = std::make_unique<::mxt::testing::ScopedEnv>("XDG_RUNTIME_DIR", (dir_ / "run").c_str());
  ::mkdir((dir_ / "run").c_str(), 0700);
  startSettings_.OsKind = 3;
  startSettings_.GUIStyle = 2;
}

void MainWindowFixture::TearDown() {
  window_.reset();
  platform::ChangeDirectory(startFolder_);  // a file dialog moves into the test's folder
}

MainWindow& MainWindowFixture::Open(const std::vector<std::string>& arguments, bool firstIdle,
                                    bool shown) {
  window_ = std::make_unique<MainWindow>(
      app::StartupInfo{arguments, startSettings_, std::move(startupLock_)},
      [this](fileconv::MessageKind kind, std::string_view text, fileconv::MessageButtons buttons) {
        const QCursor* cursor = QApplication::overrideCursor();
        messages_.push_back({kind, std::string(text), QApplication::activeModalWidget() != nullptr,
                             cursor ? cursor->shape() : Qt::ArrowCursor,
                             window_ && window_->isMinimized()});
        return buttons == fileconv::MessageButtons::Ok ? fileconv::MessageAnswer::Ok : answer_;
      });
  window_->SetProgramStarter([this](const std::vector<std::string>& started) {
    started_.push_back(started);
    return true;
  });
  if (!shown) return *window_;
  window_->show();
  EXPECT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
  window_->activateWindow();
  if (firstIdle) window_->OnFirstIdle();
  return *window_;
}

bool MainWindowFixture::WithDialog(const std::function<void()>& run,
                                   const std::function<void(QDialog&)>& act) {
  bool shown = false;
  QTimer watch;
  watch.setInterval(10);
  QObject::connect(&watch, &QTimer::timeout, [&] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog || !dialog->isVisible()) return;
    watch.stop();
    shown = true;
    act(*dialog);
  });
  watch.start();
  run();
  watch.stop();
  return shown;
}

void MainWindowFixture::ChooseFile(QDialog& dialog, const std::string& path) {
  auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
  ASSERT_NE(name, nullptr) << "the toolkit's own file dialog";
  name->setText(QString::fromStdString(path));
  dialog.done(QDialog::Accepted);
}

void MainWindowFixture::ResizeClient(int width, int height) {
  const QSize outside = window_->size() - window_->centralWidget()->size();
  window_->resize(width + outside.width(), height + outside.height());
  QCoreApplication::processEvents();
}

QPushButton& MainWindowFixture::ConvButton() const {
  return *window_->findChild<QPushButton*>(QStringLiteral("ConvButton"));
}

FileListView& MainWindowFixture::List(const char* name) const {
  return *window_->findChild<FileListView*>(QString::fromUtf8(name));
}

QStatusBar& MainWindowFixture::StatusLine() const {
  return *window_->findChild<QStatusBar*>(QStringLiteral("StatusLine"));
}

QAction& MainWindowFixture::Item(const char* name) const {
  auto* item = window_->findChild<QAction*>(QString::fromUtf8(name));
  EXPECT_NE(item, nullptr) << name;
  return *item;
}

ToolbarButton& MainWindowFixture::Button(const char* name) const {
  return *window_->findChild<ToolbarButton*>(QString::fromUtf8(name));
}

QWidget& MainWindowFixture::Control(const char* name) const {
  return *window_->findChild<QWidget*>(QString::fromUtf8(name));
}

void MainWindowFixture::MakeFiles(const std::vector<std::string>& names) const {
  for (const std::string& name : names)
    ::mxt::testing::WriteFile(Path(name), kShiftJIS);
}

void MainWindowFixture::WriteSettings(const std::string& text) const {
  ::mkdir(Path("config").c_str(), 0700);
  ::mkdir(Path("config/MXT").c_str(), 0700);
  ::mxt::testing::WriteFile(Path("config/MXT/MXT.ini"), text);
}

std::string MainWindowFixture::RowDescription(int row) const {
  const QAbstractItemModel& model = *List("ConvListBox").model();
  return model.data(model.index(row, 0), Qt::AccessibleDescriptionRole).toString().toStdString();
}

}  // namespace mxt::gui::testing
