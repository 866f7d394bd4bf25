#include "gui/OptionsDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/DialogPlacement.h"
#include "app/MessageTexts.h"
#include "fileconv/TrueCase.h"
#include "gui/ExecutableFilesFilter.h"
#include "gui/Geometry.h"
#include "gui/HelpContext.h"
#include "gui/MessageBox.h"
#include "gui/SystemText.h"

namespace mxt::gui {

namespace {

using app::OptionChoice;

// Chooses button `id` of the group; an id of none of them leaves every one unchosen.
void Choose(QButtonGroup& group, int id) {
  if (QAbstractButton* button = group.button(id)) {
    button->setChecked(true);
    return;
  }
  QAbstractButton* chosen = group.checkedButton();
  if (!chosen) return;
  group.setExclusive(false);
  chosen->setChecked(false);
  group.setExclusive(true);
}

}  // namespace

OptionsDialog::OptionsDialog(QWidget* owner, const MessageBoxes& boxes, ProgramHelp& help)
    : QDialog(owner), boxes_(boxes), help_(help) {
  PrepareDialog(*this, QStringLiteral("MXTWOptions"), help_);
  setWindowTitle(tr("オプション"));
  MakePages();
  okButton_ = AddButton("OKButton", QStringLiteral("OK"));
  okButton_->setDefault(true);
  cancelButton_ = AddButton("CancelButton", tr("キャンセル"));
  helpButton_ = AddButton("HelpButton", tr("ヘルプ(&H)"));
  auto* buttons = new QHBoxLayout;
  buttons->setSpacing(9);
  buttons->addStretch();
  for (QPushButton* button : {okButton_, cancelButton_, helpButton_})
    buttons->addWidget(button);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 8, 8, 5);
  layout->setSpacing(7);
  layout->addWidget(pages_);
  layout->addLayout(buttons);
  // A fixed border: as large as the design, larger only where the captions need it.
  layout->setSizeConstraint(QLayout::SetFixedSize);
  ConnectRules();
}

void OptionsDialog::ConnectRules() {
  WhenChosen(OptionChoice::OutputCode, &OptionsDialog::OutputCodeChosen);
  WhenChosen(OptionChoice::InputCode, &OptionsDialog::InputCodeChosen);
  connect(browseButton_, &QPushButton::clicked, this, [this] { BrowseViewer(); });
  connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
  connect(helpButton_, &QPushButton::clicked, this, [this] { OpenHelp(); });
  connect(pages_, &QTabWidget::currentChanged, this,
          [this](int page) { SetHelpContext(*this, app::OptionsPageHelpContext(page)); });
}

// A button that becomes the chosen one runs the rule, whether a click or the settings chose
// it; a click on the chosen one does not.
void OptionsDialog::WhenChosen(OptionChoice choice, void (OptionsDialog::*rule)(int)) {
  connect(choices_[static_cast<std::size_t>(choice)], &QButtonGroup::idToggled, this,
          [this, rule](int id, bool chosen) {
            if (chosen) (this->*rule)(id);
          });
}

void OptionsDialog::Fill(const fileconv::Settings& settings) {
  const app::OptionsPageValues values = app::PageValuesOf(settings);
  for (std::size_t i = 0; i < choices_.size(); ++i) {
    if (choices_[i]) Choose(*choices_[i], values.choices[i]);
  }
  escapeSequenceList_->setCurrentIndex(values.Choice(OptionChoice::EscapeSequence));
  languageList_->setCurrentIndex(values.Choice(OptionChoice::Language));
  for (std::size_t i = 0; i < checks_.size(); ++i)
    checks_[i]->setChecked(values.checks[i]);
  for (std::size_t i = 0; i < texts_.size(); ++i)
    FillEdit(static_cast<app::OptionText>(i), FromSystem(values.texts[i]));
}

void OptionsDialog::Apply(fileconv::Settings& settings) const {
  app::OptionsPageValues values;
  for (std::size_t i = 0; i < choices_.size(); ++i) {
    if (choices_[i]) values.choices[i] = choices_[i]->checkedId();
  }
  values.Choice(OptionChoice::EscapeSequence) = escapeSequenceList_->currentIndex();
  values.Choice(OptionChoice::Language) = languageList_->currentIndex();
  for (std::size_t i = 0; i < checks_.size(); ++i)
    values.checks[i] = checks_[i]->isChecked();
  for (std::size_t i = 0; i < texts_.size(); ++i)
    values.texts[i] = PathToSystem(texts_[i]->text());
  app::ApplyPageValues(values, settings);
}

void OptionsDialog::ShowPage(int page) {
  pages_->setCurrentIndex(page);
  SetHelpContext(*this, app::OptionsPageHelpContext(page));
}

void OptionsDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  const QScreen* screen = parentWidget() ? parentWidget()->screen() : this->screen();
  if (!screen) return;
  const app::Bounds inside =
      app::KeptInside(BoundsOf(frameGeometry()), RectOf(screen->availableGeometry()));
  move(inside.left, inside.top);
}

// The list keeps its item while it does not apply.
void OptionsDialog::OutputCodeChosen(int code) {
  const bool enabled = app::EscapeSequenceEnabled(code);
  escapeSequenceLabel_->setEnabled(enabled);
  escapeSequenceList_->setEnabled(enabled);
}

void OptionsDialog::InputCodeChosen(int code) {
  if (!app::InputCodeWarns(code)) return;
  boxes_.Show(isVisible() ? this : parentWidget(), fileconv::MessageKind::Warning,
              app::message::kInputCodeWarning, fileconv::MessageButtons::Ok);
}

// Any program the user may run will do as the viewer.
void OptionsDialog::BrowseViewer() {
  QFileDialog dialog(this, tr("ビューア 参照"));
  PrepareDialog(dialog, QStringLiteral("BrowseDialog"), help_);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilter(tr("Applications (*)"));
  dialog.setFilter(QDir::AllDirs | QDir::Files | QDir::NoDot);
  dialog.setProxyModel(new ExecutableFilesFilter(&dialog));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  const std::string path = fileconv::ListedPath(PathToSystem(dialog.selectedFiles().front()));
  FillEdit(app::OptionText::ViewerPath, FromSystem(path));
}

void OptionsDialog::OpenHelp() {
  if (const auto context = HelpContextAt(this)) help_.ShowContext(*context);
}

}  // namespace mxt::gui
