#include "gui/AboutDialog.h"

#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include "app/Version.h"

namespace mxt::gui {

namespace {

constexpr QSize kClientSize(321, 150);
constexpr QRect kBevel(4, 4, 313, 109);
constexpr QRect kImage(24, 25, 32, 32);
constexpr int kTextLeft = 80;
// Between a notice and the bevel's right edge, as the design leaves it.
constexpr int kTextRightMargin = 12;
constexpr QRect kOKButton(126, 120, 75, 25);

}  // namespace

AboutDialog::AboutDialog(QWidget* owner) : QDialog(owner) {
  setObjectName(QStringLiteral("MXTWAbout"));
  setWindowTitle(tr("MXT について"));
  bevel_ = new QFrame(this);
  bevel_->setObjectName(QStringLiteral("Bevel"));
  bevel_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  bevel_->setGeometry(kBevel);
  image_ = new QLabel(this);
  image_->setObjectName(QStringLiteral("AboutImage"));
  image_->setAlignment(Qt::AlignCenter);
  image_->setGeometry(kImage);
  image_->setAccessibleName(QStringLiteral("MXT"));
  AddLabel("TitleLabel", QStringLiteral("MXT - Japanese Kanji Code Converter"), 24);
  AddLabel("VersionLabel", QStringLiteral("Version ") + QLatin1String(app::kVersion), 40);
  AddLabel("CopyrightLabel", QStringLiteral("This program is free software under the MIT License."),
           64);
  AddLabel("ReservedLabel", QStringLiteral("https://example.org/mxt"), 80);
  okButton_ = new QPushButton(QStringLiteral("OK"), this);
  okButton_->setObjectName(QStringLiteral("OKButton"));
  okButton_->setGeometry(kOKButton);
  okButton_->setDefault(true);
  connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
  FitWidth();
}

void AboutDialog::SetIcon(const QIcon& icon) {
  image_->setPixmap(icon.pixmap(kImage.size()));
}

void AboutDialog::reject() {
  okButton_->click();
}

// Centred on the screen, as the program's own box is.
void AboutDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (const QScreen* shown = screen()) {
    QRect frame = frameGeometry();
    frame.moveCenter(shown->availableGeometry().center());
    move(frame.topLeft());
  }
}

QLabel* AboutDialog::AddLabel(const char* name, const QString& text, int top) {
  auto* label = new QLabel(text, this);
  label->setObjectName(QString::fromUtf8(name));
  label->move(kTextLeft, top);
  label->adjustSize();
  return label;
}

// A font wider than the design's widens the box, so that no notice leaves the bevel.
void AboutDialog::FitWidth() {
  int right = kBevel.right() + 1 - kTextRightMargin;
  for (const QLabel* label : findChildren<QLabel*>()) {
    if (label != image_) right = std::max(right, label->geometry().right() + 1);
  }
  const int extra = right - (kBevel.right() + 1 - kTextRightMargin);
  setFixedSize(kClientSize.width() + extra, kClientSize.height());
  bevel_->resize(kBevel.width() + extra, kBevel.height());
  okButton_->move(kOKButton.x() + extra / 2, kOKButton.y());
}

}  // namespace mxt::gui
