#include "gui/OutputFileButton.h"
#include "gui/ToolbarButton.h"
#include "gui/ToolbarButtonGroup.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QBackingStore>
#include <QContextMenuEvent>
#include <QSignalSpy>
#include <QTest>
#include <memory>

namespace mxt::gui {
namespace {

constexpr QPoint kInside(12, 12);

QPixmap Solid(Qt::GlobalColor color) {
  QPixmap pixmap(16, 16);
  pixmap.fill(color);
  return pixmap;
}

class SpeedButtonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    bar_ = std::make_unique<QWidget>();
    bar_->resize(300, 35);
  }

  template <class Button>
  Button* Make(const char* name, ToolbarButtonGroup* group = nullptr) {
    auto* button = new Button(QString::fromLatin1(name), bar_.get());
    button->setGeometry(4 + 25 * static_cast<int>(bar_->children().size()), 5, 25, 25);
    button->SetGlyphs({Solid(Qt::red), Solid(Qt::gray), Solid(Qt::green), Solid(Qt::blue)});
    if (group) group->Add(button);
    return button;
  }
  void Show() {
    bar_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(bar_.get()));
  }
  // The colour in the middle of the button, where its glyph is.
  static QColor Middle(QWidget* button) { return button->grab().toImage().pixelColor(kInside); }

  std::unique_ptr<QWidget> bar_;
};

TEST_F(SpeedButtonTest, TheGlyphFollowsTheState) {
  auto* button = Make<ToolbarButton>("LFButton");
  ToolbarButtonGroup group(true);
  group.Add(button);
  Show();
  EXPECT_EQ(Middle(button), QColor(Qt::red));
  button->setChecked(true);
  EXPECT_EQ(Middle(button), QColor(Qt::green));
  QTest::mousePress(button, Qt::LeftButton, Qt::NoModifier, kInside);
  EXPECT_EQ(Middle(button), QColor(Qt::blue));
  QTest::mouseRelease(button, Qt::LeftButton, Qt::NoModifier, kInside);
  button->setEnabled(false);
  EXPECT_EQ(Middle(button), QColor(Qt::gray));
}

TEST_F(SpeedButtonTest, ALockedNewlineButtonIgnoresTheMouseButKeepsItsLook) {
  ToolbarButtonGroup newlines(true);
  auto* crlf = Make<ToolbarButton>("CRLFButton", &newlines);
  auto* lf = Make<ToolbarButton>("LFButton", &newlines);
  auto* cr = Make<ToolbarButton>("CRButton", &newlines);
  Show();
  lf->setChecked(true);
  QSignalSpy clicks(cr, &QAbstractButton::clicked);
  cr->setContextMenuPolicy(Qt::CustomContextMenu);
  QSignalSpy menus(cr, &QWidget::customContextMenuRequested);
  QContextMenuEvent menu(QContextMenuEvent::Mouse, kInside, cr->mapToGlobal(kInside));
  for (auto* button : {crlf, lf, cr})
    button->SetMouseLocked(true);

  const QImage before = lf->grab().toImage();
  QTest::mousePress(lf, Qt::LeftButton, Qt::NoModifier, kInside);
  EXPECT_FALSE(lf->isDown());
  EXPECT_EQ(lf->grab().toImage(), before);
  QTest::mouseRelease(lf, Qt::LeftButton, Qt::NoModifier, kInside);
  QTest::mouseClick(cr, Qt::LeftButton, Qt::NoModifier, kInside);
  QTest::mouseDClick(cr, Qt::LeftButton, Qt::NoModifier, kInside);
  QTest::mouseRelease(cr, Qt::LeftButton, Qt::NoModifier, kInside);
  QApplication::sendEvent(cr, &menu);
  EXPECT_EQ(newlines.DownButton(), lf);
  EXPECT_EQ(clicks.count(), 0);
  EXPECT_EQ(menus.count(), 0);

  for (auto* button : {crlf, lf, cr})
    button->SetMouseLocked(false);
  QApplication::sendEvent(cr, &menu);
  EXPECT_EQ(menus.count(), 1);
  QTest::mouseClick(cr, Qt::LeftButton, Qt::NoModifier, kInside);
  EXPECT_EQ(newlines.DownButton(), cr);
  EXPECT_FALSE(lf->isChecked());
  QTest::mouseClick(cr, Qt::LeftButton, Qt::NoModifier, kInside);
  EXPECT_EQ(newlines.DownButton(), nullptr);
  EXPECT_EQ(clicks.count(), 2);
}

TEST_F(SpeedButtonTest, TheChosenCodeButtonIgnoresAPress) {
  ToolbarButtonGroup codes(false);
  auto* euc = Make<StickyToolbarButton>("EUCButton", &codes);
  auto* jis = Make<StickyToolbarButton>("JISButton", &codes);
  Show();
  euc->setChecked(true);
  QSignalSpy eucClicks(euc, &QAbstractButton::clicked);
  QTest::mousePress(euc, Qt::LeftButton, Qt::NoModifier, kInside);
  EXPECT_FALSE(euc->isDown());
  QTest::mouseRelease(euc, Qt::LeftButton, Qt::NoModifier, kInside);
  QTest::mouseDClick(euc, Qt::LeftButton, Qt::NoModifier, kInside);
  QTest::mouseRelease(euc, Qt::LeftButton, Qt::NoModifier, kInside);
  EXPECT_TRUE(euc->isChecked());
  EXPECT_EQ(eucClicks.count(), 0);

  QTest::mouseClick(jis, Qt::LeftButton, Qt::NoModifier, kInside);
  EXPECT_EQ(codes.DownButton(), jis);
  QTest::mouseClick(euc, Qt::LeftButton, Qt::NoModifier, kInside);
  EXPECT_EQ(codes.DownButton(), euc);
  EXPECT_EQ(eucClicks.count(), 1);
}

TEST_F(SpeedButtonTest, WithoutAllUpTheDownButtonStaysDownButStillClicks) {
  ToolbarButtonGroup overwrite(false);
  auto* button = Make<ToolbarButton>("OverwriteButton", &overwrite);
  Show();
  button->setChecked(true);
  QSignalSpy clicks(button, &QAbstractButton::clicked);
  QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, kInside);
  EXPECT_TRUE(button->isChecked());
  EXPECT_EQ(clicks.count(), 1);
  // The window raises it from code when it leaves the mode.
  button->setChecked(false);
  EXPECT_EQ(overwrite.DownButton(), nullptr);
}

TEST_F(SpeedButtonTest, AReleaseCountsInsideTheButtonAndOnTheRowBelowIt) {
  ToolbarButtonGroup output(false);
  auto* select = Make<ToolbarButton>("SelectButton");
  auto* toFile = Make<OutputFileButton>("OutputToFileButton", &output);
  Show();
  int released = 0;
  select->OnReleasedInside = [&](ToolbarButton& sender) {
    EXPECT_EQ(&sender, select);
    ++released;
  };
  const struct {
    QPoint at;
    bool counts;
  } cases[] = {
      {{0, 0}, true},   {{24, 24}, true}, {{5, 25}, true},  {{24, 25}, true},
      {{5, 26}, false}, {{25, 5}, false}, {{-1, 5}, false}, {{5, -1}, false},
  };
  for (const auto& c : cases) {
    released = 0;
    QTest::mousePress(select, Qt::LeftButton, Qt::NoModifier, kInside);
    QTest::mouseRelease(select, Qt::LeftButton, Qt::NoModifier, c.at);
    EXPECT_EQ(released, c.counts ? 1 : 0) << c.at.x() << "," << c.at.y();
  }
  released = 0;
  QTest::mouseClick(select, Qt::RightButton, Qt::NoModifier, kInside);
  select->SetMouseLocked(true);
  QTest::mouseClick(select, Qt::LeftButton, Qt::NoModifier, kInside);
  EXPECT_EQ(released, 0);

  // The output button that is down refuses the press, yet its release runs the command.
  toFile->setChecked(true);
  int again = 0;
  toFile->OnReleasedInside = [&](ToolbarButton&) { ++again; };
  QTest::mouseClick(toFile, Qt::LeftButton, Qt::NoModifier, kInside);
  EXPECT_EQ(again, 1);
  EXPECT_TRUE(toFile->isChecked());
}

TEST_F(SpeedButtonTest, ASuppressedButtonKeepsTheImageItLastShowed) {
  ToolbarButtonGroup output(true);
  auto* toFile = Make<OutputFileButton>("OutputToFileButton", &output);
  Show();
  toFile->setChecked(true);
  toFile->repaint();
  auto* screen = dynamic_cast<QImage*>(bar_->backingStore()->paintDevice());
  ASSERT_NE(screen, nullptr);
  const QColor down = screen->pixelColor(toFile->geometry().topLeft() + kInside);
  ASSERT_EQ(down, QColor(Qt::green));

  toFile->SetPaintSuppressed(true);
  toFile->setChecked(false);
  toFile->repaint();
  bar_->repaint();
  EXPECT_EQ(screen->pixelColor(toFile->geometry().topLeft() + kInside), down);

  toFile->SetPaintSuppressed(false);
  toFile->repaint();
  EXPECT_EQ(screen->pixelColor(toFile->geometry().topLeft() + kInside), QColor(Qt::red));
}

TEST_F(SpeedButtonTest, TheHintGivesTheTooltipTheStatusTextAndTheAccessibleName) {
  auto* button = Make<StickyToolbarButton>("ShiftJISButton");
  button->SetHint(QStringLiteral("Shift-JIS| 漢字コードを Shift-JIS に設定します。"));
  EXPECT_EQ(button->toolTip(), QStringLiteral("Shift-JIS"));
  EXPECT_EQ(button->statusTip(), QStringLiteral(" 漢字コードを Shift-JIS に設定します。"));
  EXPECT_EQ(button->accessibleName(), QStringLiteral("Shift-JIS"));
}

}  // namespace
}  // namespace mxt::gui
