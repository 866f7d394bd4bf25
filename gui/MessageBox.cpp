#include "gui/MessageBox.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>

#include "gui/WindowTranslation.h"

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
  QString lines = TranslatedMessage(text);
  lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  QMessageBox box(IconOf(kind), TranslatedMessage(fileconv::MessageCaption(kind)), lines,
                  QMessageBox::NoButton, parent);
  QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
  box.setDefaultButton(ok);
  if (buttons == fileconv::MessageButtons::OkCancel) {
    box.setEscapeButton(
        box.addButton(QCoreApplication::translate("MessageBox", "ｷｬﾝｾﾙ"), QMessageBox::RejectRole));
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
  QMessageBox::information(parent, TranslatedMessage(caption), TranslatedMessage(text));
}

}  // namespace mxt::gui
