#include "gui/MessageBox.h"

#include <QMessageBox>
#include <QPushButton>
#include <algorithm>
#include <string>

namespace mxt::gui {

namespace {

QMessageBox::Icon IconOf(fileconv::MessageKind kind) {
  switch (kind) {
    case fileconv::MessageKind::Warning:
      return QMessageBox::Warning;
    case fileconv::MessageKind::Error:
      return QMessageBox::Critical;
    case fileconv::MessageKind::Information:
      return QMessageBox::Information;
    case fileconv::MessageKind::Confirmation:
      return QMessageBox::Question;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

fileconv::MessageAnswer ShowMessage(QWidget* parent, fileconv::MessageKind kind,
                                    std::string_view text, fileconv::MessageButtons buttons) {
  std::string lines(text);
  std::replace(lines.begin(), lines.end(), '\r', '\n');
  QMessageBox box(IconOf(kind), QString::fromUtf8(fileconv::MessageCaption(kind)),
                  QString::fromStdString(lines), QMessageBox::NoButton, parent);
  QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
  box.setDefaultButton(ok);
  if (buttons == fileconv::MessageButtons::OkCancel) {
    box.setEscapeButton(box.addButton(QStringLiteral("ｷｬﾝｾﾙ"), QMessageBox::RejectRole));
  } else {
    box.setEscapeButton(ok);
  }
  box.exec();
  return box.clickedButton() == ok ? fileconv::MessageAnswer::Ok : fileconv::MessageAnswer::Cancel;
}

fileconv::MessageAnswer MessageBoxes::Show(QWidget* parent, fileconv::MessageKind kind,
                                           std::string_view text,
                                           fileconv::MessageButtons buttons) const {
  if (answerer_) return answerer_(kind, text, buttons);
  return ShowMessage(parent, kind, text, buttons);
}

void MessageBoxes::ShowPlain(QWidget* parent, std::string_view caption,
                             std::string_view text) const {
  if (answerer_) {
    answerer_(fileconv::MessageKind::Information, text, fileconv::MessageButtons::Ok);
    return;
  }
  QMessageBox::information(parent, QString::fromUtf8(caption.data(), caption.size()),
                           QString::fromUtf8(text.data(), text.size()));
}

}  // namespace mxt::gui
