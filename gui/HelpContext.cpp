#include "gui/HelpContext.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include "app/HelpContexts.h"
#include "gui/ProgramHelp.h"
#include "gui/SystemText.h"
#include "platform/CurrentDirectory.h"

namespace mxt::gui {

namespace {

constexpr char kHelpContextProperty[] = "helpContext";

std::optional<int> OwnHelpContext(const QObject& object) {
  const QVariant context = object.property(kHelpContextProperty);
  if (!context.isValid()) return std::nullopt;
  return context.toInt();
}

// The toolkit's own dialogs draw their buttons in a button box only when they are not the
// desktop's dialogs.
void UseOwnDialog(QDialog& dialog) {
  if (auto* files = qobject_cast<QFileDialog*>(&dialog)) {
    files->setOption(QFileDialog::DontUseNativeDialog);
  } else if (auto* fonts = qobject_cast<QFontDialog*>(&dialog)) {
    fonts->setOption(QFontDialog::DontUseNativeDialog);
  }
}

void AddHelpButton(QDialog& dialog, ProgramHelp& help) {
  auto* box = dialog.findChild<QDialogButtonBox*>();
  if (!box) return;
  QPushButton* button = box->addButton(QCoreApplication::translate("HelpContext", "ヘルプ(&H)"),
                                       QDialogButtonBox::HelpRole);
  button->setObjectName(QStringLiteral("HelpButton"));
  QObject::connect(button, &QPushButton::clicked, &dialog, [&dialog, &help] {
    if (const auto context = HelpContextAt(&dialog)) help.ShowContext(*context);
  });
}

// The folder of a chosen file becomes the current one, where the next dialog opens and
// which the settings keep at exit.
void FollowChosenFolder(QFileDialog& dialog) {
  QObject::connect(&dialog, &QDialog::accepted, &dialog, [&dialog] {
    const QStringList chosen = dialog.selectedFiles();
    if (!chosen.isEmpty())
      platform::ChangeDirectory(PathToSystem(QFileInfo(chosen.front()).absolutePath()));
  });
}

}  // namespace

void AssignHelpContext(QObject& object) {
  if (const auto context = app::HelpContextOf(object.objectName().toStdString()))
    SetHelpContext(object, *context);
}

void SetHelpContext(QObject& object, int context) {
  object.setProperty(kHelpContextProperty, context);
}

std::optional<int> HelpContextAt(const QObject* object) {
  if (const auto* bar = qobject_cast<const QMenuBar*>(object); bar && bar->activeAction()) {
    if (const auto context = OwnHelpContext(*bar->activeAction())) return context;
  }
  for (; object; object = object->parent()) {
    if (const auto context = OwnHelpContext(*object)) return context;
  }
  return std::nullopt;
}

void PrepareDialog(QDialog& dialog, const QString& name, ProgramHelp& help) {
  dialog.setObjectName(name);
  AssignHelpContext(dialog);
  dialog.setWindowModality(Qt::WindowModal);
  UseOwnDialog(dialog);
  if (qobject_cast<QFileDialog*>(&dialog) || qobject_cast<QFontDialog*>(&dialog))
    AddHelpButton(dialog, help);
  if (auto* files = qobject_cast<QFileDialog*>(&dialog)) FollowChosenFolder(*files);
}

bool HelpKeyFilter::eventFilter(QObject* watched, QEvent* event) {
  // The window system's window sees the key before the focused widget does.
  if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier) return false;
  const auto context = HelpContextAt(watched);
  if (!context) return false;
  // A menu closes before help opens over it.
  while (QWidget* popup = QApplication::activePopupWidget())
    popup->close();
  help_.ShowContext(*context);
  return true;
}

}  // namespace mxt::gui
