#pragma once

#include <QCoreApplication>
#include <QDialog>
#include <array>

#include "app/OptionsPages.h"
#include "fileconv/Settings.h"
#include "gui/MessageBox.h"
#include "gui/ProgramHelp.h"

class QButtonGroup;
class QBoxLayout;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace mxt::gui {

// The options dialog: five pages that edit copies of the settings, written back only when
// the dialog closes with OK.
class OptionsDialog : public QDialog {
  Q_DECLARE_TR_FUNCTIONS(OptionsDialog)

 public:
  // Its warning goes to the owner's `boxes`, its help to the owner's `help`.
  OptionsDialog(QWidget* owner, const MessageBoxes& boxes, ProgramHelp& help);

  // The controls from the settings; a radio button chosen here warns as a click would.
  void Fill(const fileconv::Settings& settings);
  // The controls into the settings.
  void Apply(fileconv::Settings& settings) const;
  // Shows page 0..4, whose help the Help button and F1 open.
  void ShowPage(int page);

 protected:
  // However it was placed, the dialog opens inside the work area.
  void showEvent(QShowEvent* event) override;

 private:
  // OptionsDialogPages.cpp
  void MakePages();
  QWidget* AddPage(int index);
  void MakeOutputCodePage();
  void MakeInputCodePage();
  void MakeFilePage();
  void MakeViewerPage();
  void MakeInterfacePage();
  void AddChoice(app::OptionChoice choice, QGroupBox& box);
  void AddCheck(app::OptionCheck check, QWidget& parent, QBoxLayout& layout);
  QLabel* AddLabelledEdit(app::OptionText text, QWidget& page);
  void FillEdit(app::OptionText text, const QString& value);
  QPushButton* AddButton(const char* name, const QString& caption);
  void AddLanguageList(QBoxLayout& layout);

  // OptionsDialog.cpp
  void ConnectRules();
  void WhenChosen(app::OptionChoice choice, void (OptionsDialog::*rule)(int));
  void OutputCodeChosen(int code);
  void InputCodeChosen(int code);
  void BrowseViewer();
  void OpenHelp();

  QTabWidget* pages_ = nullptr;
  // Null for the escape-sequence set and the language, which are chosen from lists.
  std::array<QButtonGroup*, app::kChoiceCounts.size()> choices_{};
  QLabel* escapeSequenceLabel_ = nullptr;
  QComboBox* escapeSequenceList_ = nullptr;
  QComboBox* languageList_ = nullptr;
  std::array<QCheckBox*, app::kOptionChecks> checks_{};
  std::array<QLineEdit*, 2> texts_{};
  QPushButton* browseButton_ = nullptr;
  QPushButton* okButton_ = nullptr;
  QPushButton* cancelButton_ = nullptr;
  QPushButton* helpButton_ = nullptr;
  const MessageBoxes& boxes_;
  ProgramHelp& help_;
};

}  // namespace mxt::gui
