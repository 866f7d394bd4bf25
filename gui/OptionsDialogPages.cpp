// The pages of the options dialog and their controls, in the order the keyboard visits them.
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QVBoxLayout>
#include <cstring>
#include <span>

#include "gui/HelpContext.h"
#include "gui/OptionsDialog.h"

namespace mxt::gui {

namespace {

using app::OptionCheck;
using app::OptionChoice;
using app::OptionText;

struct Control {
  const char* name;
  const char* caption;
};

constexpr Control kOutputCodes[] = {
    {"ShiftJISRadioButton", QT_TRANSLATE_NOOP("OptionsDialog", "Shift-JIS(&S)")},
    {"EUCRadioButton", QT_TRANSLATE_NOOP("OptionsDialog", "EUC(&E)")},
    {"JISRadioButton", QT_TRANSLATE_NOOP("OptionsDialog", "JIS(&J)")},
    {"UTF8RadioButton", QT_TRANSLATE_NOOP("OptionsDialog", "UTF-8(&8)")},
};
constexpr Control kNewlineCodes[] = {
    {"DontCareRadioButton", QT_TRANSLATE_NOOP("OptionsDialog", "変換しない(&N)")},
    {"CRLFRadioButton", QT_TRANSLATE_NOOP("OptionsDialog", "CR LF(&M)")},
    {"LFRadioButton", QT_TRANSLATE_NOOP("OptionsDialog", "LF(&U)")},
    {"CRRadioButton", QT_TRANSLATE_NOOP("OptionsDialog", "CR(&A)")},
};
constexpr Control kInputCodes[] = {
    {"InputAutoRadioButton", QT_TRANSLATE_NOOP("OptionsDialog", "自動検出(&A)")},
    {"InputShiftJISRadioButton", QT_TRANSLATE_NOOP("OptionsDialog", "Shift-JIS(&S)")},
    {"InputEUCRadioButton", QT_TRANSLATE_NOOP("OptionsDialog", "EUC(&E)")},
    {"InputJISRadioButton", QT_TRANSLATE_NOOP("OptionsDialog", "JIS(&J)")},
    {"InputUTF8RadioButton", QT_TRANSLATE_NOOP("OptionsDialog", "UTF-8(&8)")},
};
constexpr Control kMappings[] = {
    {"MappingWindowsRadioButton", QT_TRANSLATE_NOOP("OptionsDialog", "Windows (CP932)(&W)")},
    {"MappingJISRadioButton", QT_TRANSLATE_NOOP("OptionsDialog", "JIS (Unix)(&X)")},
};
constexpr Control kUnconvertibles[] = {
    {"UnconvSkipRadioButton", QT_TRANSLATE_NOOP("OptionsDialog", "ファイルを変換しない(&K)")},
    {"UnconvGetaRadioButton", QT_TRANSLATE_NOOP("OptionsDialog", "〓 にする(&G)")},
    {"UnconvReferenceRadioButton", QT_TRANSLATE_NOOP("OptionsDialog", "&&#x1F600; の形にする(&F)")},
};
constexpr Control kWaysToOverwrite[] = {
    {"RenTempRadioButton", QT_TRANSLATE_NOOP("OptionsDialog", "テンポラリファイルをリネーム(&R)")},
    {"CopyTempRadioButton", QT_TRANSLATE_NOOP("OptionsDialog", "テンポラリファイルをコピー(&C)")},
};
// By OptionChoice; the escape-sequence set is chosen from a list instead.
constexpr std::span<const Control> kChoiceButtons[] = {
    kOutputCodes, {}, kNewlineCodes, kInputCodes, kWaysToOverwrite, kMappings, kUnconvertibles, {},
};

// By OptionCheck.
constexpr Control kChecks[app::kOptionChecks] = {
    {"UTF8BOMCheckBox", QT_TRANSLATE_NOOP("OptionsDialog", "UTF-8 に BOM を付ける(&B)")},
    {"_7BitCheckBox", QT_TRANSLATE_NOOP("OptionsDialog", "7bit モード(&7)")},
    {"RemoveCtrlZCheckBox", QT_TRANSLATE_NOOP("OptionsDialog", "末尾の ^Z を削除(&Z)")},
    {"PreserveTimeCheckBox", QT_TRANSLATE_NOOP("OptionsDialog", "タイムスタンプを保存(&T)")},
    {"KeepBackupCheckBox",
     QT_TRANSLATE_NOOP("OptionsDialog", "変換前のファイルを NAME~ として残す(&B)")},
    {"WhenExecutedCheckBox", QT_TRANSLATE_NOOP("OptionsDialog", "起動後、すぐに変換を開始(&E)")},
    {"WhenSelectedCheckBox",
     QT_TRANSLATE_NOOP("OptionsDialog", "ファイル選択後、すぐに変換を開始(&S)")},
    {"WhenDroppedCheckBox",
     QT_TRANSLATE_NOOP("OptionsDialog", "Drag && Drop 後、すぐに変換を開始(&D)")},
    {"WhenConvertedCheckBox", QT_TRANSLATE_NOOP("OptionsDialog", "変換後、MXT を終了(&Q)")},
    {"DontShortenCheckBox",
     QT_TRANSLATE_NOOP("OptionsDialog", "長いファイル名を省略表示しない(&F)")},
    {"AddFolderFilesCheckBox",
     QT_TRANSLATE_NOOP("OptionsDialog", "フォルダ内のファイルも追加(&A)")},
};

// By OptionText: the edit and the label in front of it.
constexpr Control kEdits[] = {
    {"ViewerPathEdit", QT_TRANSLATE_NOOP("OptionsDialog", "パス名(&P):")},
    {"CmdLineEdit", QT_TRANSLATE_NOOP("OptionsDialog", "コマンドライン引数(&C):")},
};
constexpr const char* kEditLabels[] = {"ViewerPathLabel", "CmdLineLabel"};

constexpr const char* kEscapeSequences[] = {
    "ESC $B, ESC (J",
    "ESC $B, ESC (B",
    "ESC $@, ESC (J",
    "ESC K, ESC H",
};

// By the stored "Language"; each language by its own name.
constexpr const char* kLanguages[] = {
    QT_TRANSLATE_NOOP("OptionsDialog", "自動"),
    QT_TRANSLATE_NOOP("OptionsDialog", "日本語"),
    "English",
};

constexpr int kMaxEditLength = 260;
constexpr int kPageMargin = 8;

// A label that gives its control the focus when clicked, not only by its access key.
class FocusLabel final : public QLabel {
 public:
  FocusLabel(const char* name, const QString& caption, QWidget* parent) : QLabel(caption, parent) {
    setObjectName(QString::fromUtf8(name));
  }

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    QLabel::mousePressEvent(event);
    if (buddy()) buddy()->setFocus(Qt::MouseFocusReason);
  }
};

// An edit that keeps its text unselected when the keyboard moves into it.
class PlainEntryEdit final : public QLineEdit {
 public:
  using QLineEdit::QLineEdit;

 protected:
  void focusInEvent(QFocusEvent* event) override {
    QLineEdit::focusInEvent(event);
    deselect();
  }
};

QVBoxLayout* PageLayout(QWidget& page) {
  auto* layout = new QVBoxLayout(&page);
  layout->setContentsMargins(kPageMargin, kPageMargin, kPageMargin, kPageMargin);
  return layout;
}

QGroupBox* AddGroup(const char* name, const QString& title, QWidget& page, QBoxLayout& layout) {
  auto* group = new QGroupBox(title, &page);
  group->setObjectName(QString::fromUtf8(name));
  new QVBoxLayout(group);
  layout.addWidget(group);
  return group;
}

QBoxLayout& LayoutOf(QWidget& widget) {
  return *static_cast<QBoxLayout*>(widget.layout());
}

// A caption as it reads: "&Q" marks the access key Q, "&&" is "&".
QString ReadCaption(const QString& caption) {
  return QString(caption).replace(QRegularExpression(QStringLiteral("&(.)")),
                                  QStringLiteral("\\1"));
}

}  // namespace

void OptionsDialog::MakePages() {
  pages_ = new QTabWidget(this);
  pages_->setObjectName(QStringLiteral("OptionPageControl"));
  pages_->setMinimumSize(321, 169);
  // Every tab caption in view, however wide the font draws them.
  pages_->setUsesScrollButtons(false);
  MakeOutputCodePage();
  MakeInputCodePage();
  MakeFilePage();
  MakeViewerPage();
  MakeInterfacePage();
}

QWidget* OptionsDialog::AddPage(int index) {
  static constexpr const char* kCaptions[] = {"Output Code", "Input Code", "File", "Viewer",
                                              "User Interface"};
  const std::string_view name = app::kOptionsPageNames[index];
  auto* page = new QWidget;
  page->setObjectName(QString::fromUtf8(name.data(), std::ssize(name)));
  AssignHelpContext(*page);
  pages_->addTab(page, QString::fromUtf8(kCaptions[index]));
  return page;
}

void OptionsDialog::MakeOutputCodePage() {
  QWidget& page = *AddPage(0);
  auto* columns = new QHBoxLayout(&page);
  columns->setContentsMargins(kPageMargin, kPageMargin, kPageMargin, kPageMargin);
  auto* left = new QVBoxLayout;
  auto* right = new QVBoxLayout;
  columns->addLayout(left);
  columns->addLayout(right);
  QGroupBox& codes = *AddGroup("KanjiCodeGroupBox", tr("出力漢字コード"), page, *left);
  AddChoice(OptionChoice::OutputCode, codes);
  escapeSequenceLabel_ = new FocusLabel("EscapeSequenceLabel", tr("ESC シーケンス(&Q):"), &codes);
  escapeSequenceList_ = new QComboBox(&codes);
  escapeSequenceList_->setObjectName(QStringLiteral("EscapeSequenceComboBox"));
  for (const char* set : kEscapeSequences)
    escapeSequenceList_->addItem(QString::fromUtf8(set));
  // A character to spare: the style draws the text a little inside what it measures.
  escapeSequenceList_->setMinimumContentsLength(static_cast<int>(std::strlen(kEscapeSequences[0])) +
                                                1);
  escapeSequenceList_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  escapeSequenceLabel_->setBuddy(escapeSequenceList_);
  LayoutOf(codes).addWidget(escapeSequenceLabel_);
  LayoutOf(codes).addWidget(escapeSequenceList_);
  AddCheck(OptionCheck::UTF8BOM, page, *left);
  left->addStretch();
  QGroupBox& newlines = *AddGroup("NewlineCodeGroupBox", tr("出力改行コード"), page, *right);
  AddChoice(OptionChoice::NewlineCode, newlines);
  AddCheck(OptionCheck::SevenBitMode, page, *right);
  right->addStretch();
}

void OptionsDialog::MakeInputCodePage() {
  QWidget& page = *AddPage(1);
  QVBoxLayout& layout = *PageLayout(page);
  QGroupBox& codes = *AddGroup("InputKanjiCodeGroupBox", tr("入力漢字コード"), page, layout);
  AddChoice(OptionChoice::InputCode, codes);
  QGroupBox& mappings =
      *AddGroup("MappingGroupBox", tr("文字の対応 (〜 ∥ － ￠ ￡ ￢)"), page, layout);
  AddChoice(OptionChoice::Mapping, mappings);
  layout.addStretch();
}

void OptionsDialog::MakeFilePage() {
  QWidget& page = *AddPage(2);
  QVBoxLayout& layout = *PageLayout(page);
  AddCheck(OptionCheck::RemoveCtrlZ, page, layout);
  AddCheck(OptionCheck::PreserveTimestamp, page, layout);
  AddCheck(OptionCheck::KeepBackup, page, layout);
  QGroupBox& ways = *AddGroup("OverwriteGroupBox", tr("上書き方法"), page, layout);
  AddChoice(OptionChoice::WayToOverwrite, ways);
  QGroupBox& misfits = *AddGroup("UnconvertibleGroupBox", tr("出力コードにない文字"), page, layout);
  AddChoice(OptionChoice::Unconvertible, misfits);
  layout.addStretch();
}

void OptionsDialog::MakeViewerPage() {
  QWidget& page = *AddPage(3);
  auto* grid = new QGridLayout(&page);
  grid->setContentsMargins(kPageMargin, kPageMargin, kPageMargin, kPageMargin);
  grid->addWidget(AddLabelledEdit(OptionText::ViewerPath, page), 0, 0);
  grid->addWidget(texts_[0], 1, 0);
  browseButton_ = new QPushButton(tr("参照(&B)..."), &page);
  browseButton_->setObjectName(QStringLiteral("ViewerBrowseButton"));
  grid->addWidget(browseButton_, 1, 1);
  grid->addWidget(AddLabelledEdit(OptionText::ViewerCmdLineOption, page), 2, 0);
  grid->addWidget(texts_[1], 3, 0);
  grid->setRowStretch(4, 1);
}

void OptionsDialog::MakeInterfacePage() {
  QWidget& page = *AddPage(4);
  QVBoxLayout& layout = *PageLayout(page);
  for (const auto check : {OptionCheck::ConvWhenExecuted, OptionCheck::ConvWhenSelected,
                           OptionCheck::ConvWhenDropped, OptionCheck::QuitWhenConverted,
                           OptionCheck::DontShortenFileName, OptionCheck::AddFolderFiles}) {
    AddCheck(check, page, layout);
  }
  AddLanguageList(layout);
  layout.addStretch();
}

// The window takes its language as it starts, so a change waits for the next start.
void OptionsDialog::AddLanguageList(QBoxLayout& layout) {
  QWidget& page = *layout.parentWidget();
  auto* row = new QHBoxLayout;
  auto* label = new FocusLabel("LanguageLabel", tr("言語(&L):"), &page);
  languageList_ = new QComboBox(&page);
  languageList_->setObjectName(QStringLiteral("LanguageComboBox"));
  for (const char* language : kLanguages)
    languageList_->addItem(tr(language));
  label->setBuddy(languageList_);
  row->addWidget(label);
  row->addWidget(languageList_);
  row->addStretch();
  layout.addLayout(row);
  auto* note = new QLabel(tr("次回の起動から有効になります。"), &page);
  note->setObjectName(QStringLiteral("LanguageNoteLabel"));
  layout.addWidget(note);
}

// Both kanji-code groups hold "Shift-JIS(&S)": a screen reader tells them apart by the name
// of their group.
void OptionsDialog::AddChoice(OptionChoice choice, QGroupBox& box) {
  const auto index = static_cast<std::size_t>(choice);
  auto* group = new QButtonGroup(this);
  int id = 0;
  for (const Control& control : kChoiceButtons[index]) {
    auto* button = new QRadioButton(tr(control.caption), &box);
    button->setObjectName(QString::fromUtf8(control.name));
    button->setAccessibleName(box.title() + QLatin1Char(' ') + ReadCaption(button->text()));
    group->addButton(button, id++);
    LayoutOf(box).addWidget(button);
  }
  choices_[index] = group;
}

void OptionsDialog::AddCheck(OptionCheck check, QWidget& parent, QBoxLayout& layout) {
  const Control& control = kChecks[static_cast<std::size_t>(check)];
  auto* box = new QCheckBox(tr(control.caption), &parent);
  box->setObjectName(QString::fromUtf8(control.name));
  layout.addWidget(box);
  checks_[static_cast<std::size_t>(check)] = box;
}

// A stored text longer than typing may make is shown and kept whole; typing stops at the
// longer of the two.
void OptionsDialog::FillEdit(OptionText text, const QString& value) {
  QLineEdit& edit = *texts_[static_cast<std::size_t>(text)];
  edit.setMaxLength(std::max<int>(kMaxEditLength, static_cast<int>(value.size())));
  edit.setText(value);
}

// The edit and the label that names it; returns the label.
QLabel* OptionsDialog::AddLabelledEdit(OptionText text, QWidget& page) {
  const auto index = static_cast<std::size_t>(text);
  auto* label = new FocusLabel(kEditLabels[index], tr(kEdits[index].caption), &page);
  auto* edit = new PlainEntryEdit(&page);
  edit->setObjectName(QString::fromUtf8(kEdits[index].name));
  edit->setMaxLength(kMaxEditLength);
  label->setBuddy(edit);
  texts_[index] = edit;
  return label;
}

QPushButton* OptionsDialog::AddButton(const char* name, const QString& caption) {
  auto* button = new QPushButton(caption, this);
  button->setObjectName(QString::fromUtf8(name));
  button->setMinimumSize(75, 25);
  return button;
}

}  // namespace mxt::gui
