// The Qt view of a window model: real widgets that mirror the model and hand
// user actions back to it. The model stays the one source of truth.
#pragma once

#include <QWidget>
#include <map>

#include "frame/form.h"

class QAbstractButton;

namespace frame {

class View : public QWidget, public FormObserver {
 public:
  explicit View(Form& form, QWidget* parent = nullptr);
  ~View() override;

  Form& form() const { return form_; }
  // Where programs are started from: the folder of this executable, unless
  // set otherwise (tests).
  void SetProgramDir(const QString& dir) { programDir_ = dir; }

  // The widget of a control ("lblm(3)", "txtg"), or nullptr.
  QWidget* widget(std::string_view id) const;

  // FormObserver
  void ControlChanged(Control& control) override;
  void ProgramEnded() override;
  void FileWritten(const std::string& name) override;
  void StartProgram(const std::string& program) override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* Build(Control& control, QWidget* parent);
  void Mirror(Control& control, QWidget* widget);
  void SetTabOrder();
  void AddCopyActions();

  Form& form_;
  std::map<const Control*, QWidget*> widgets_;
  bool ending_ = false;
  QString programDir_;
};

// Fonts and colours shared by every window.
QFont FontFor(const Control& control);

}  // namespace frame
