#pragma once

#include <QCoreApplication>
#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

namespace mxt::gui {

// The about box: the program's icon, name, version and two notice lines. Enter and Escape
// both close it through OK.
class AboutDialog : public QDialog {
  Q_DECLARE_TR_FUNCTIONS(AboutDialog)

 public:
  explicit AboutDialog(QWidget* owner);

  void SetIcon(const QIcon& icon);

 protected:
  void reject() override;
  void showEvent(QShowEvent* event) override;

 private:
  QLabel* AddLabel(const char* name, const QString& text, int top);
  void FitWidth();

  QFrame* bevel_ = nullptr;
  QLabel* image_ = nullptr;
  QPushButton* okButton_ = nullptr;
};

}  // namespace mxt::gui
