// The Qt view of a window model: real widgets that mirror the model and hand
// user actions back to it. The model stays the one source of truth.
#pragma once

#include <QWidget>
#include <map>

#include "core/form.h"
#include "qt/model.h"

class QAccessibleEvent;
class QLineEdit;
class QRadioButton;
class QScrollArea;

namespace qt {

class View : public QWidget, public FormObserver {
 public:
  explicit View(Form& form, QWidget* parent = nullptr);
  ~View() override;

  Form& form() const { return form_; }
  // Where programs are started from: the folder of this executable, unless
  // set otherwise (tests).
  void SetProgramDir(const QString& dir) { programDir_ = dir; }

  // The widget of a control ("lblm(3)", "txtg"), or nullptr. Widgets of
  // controls not yet shown are built when first asked for.
  QWidget* widget(std::string_view id);
  // The designed area that holds the controls (and the lines under them);
  // it scrolls in the window where the screen has no room for all of it.
  QWidget* canvas() const { return canvas_; }
  // Sizes the window to its canvas, or to the screen's room where that is
  // smaller; called again when the canvas grows.
  void Fit();

  // FormObserver
  void ControlChanged(Control& control) override;
  void ProgramEnded() override;
  void FileWritten(const std::string& name) override;
  void StartProgram(const std::string& program) override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  // Tab and Shift+Tab anywhere in the window come here.
  bool focusNextPrevChild(bool next) override;

 private:
  QWidget* Materialize(Control& control);
  void MaterializeShown(Control& control);
  QWidget* Build(Control& control, QWidget* parent);
  // The accessible name (the caption of the control) and the label's buddy.
  void Describe(Control& control, QWidget* widget);
  void Mirror(Control& control, QWidget* widget);
  // Tells assistive technology of a new result, a warning that appears.
  void Announce(Control& control, QWidget* widget, bool appeared, bool textChanged);
  // One Tab stop per group of options: the chosen one (or the first).
  void SetOptionTabStops(const Frame* group);
  bool MoveAmongOptions(QRadioButton* radio, int key);
  void SetTabOrder();
  void AddCopyActions();
  void AddFrameCopyAction(Frame& frame);
  void CopyToClipboard(const Frame* frame);

  Form& form_;
  QScrollArea* scroll_;
  QWidget* canvas_;
  std::map<const Control*, QWidget*> widgets_;
  std::map<const QWidget*, Control*> controls_;
  std::vector<Frame*> resultFrames_;
  std::vector<QWidget*> tabOrder_;
  bool ending_ = false;
  bool constructing_ = true;
  bool tabOrderStale_ = false;
  QString programDir_;
};

// Makes the widget of a fixed drawing from its SVG text. The SVG renderer
// (frame_svg) is linked only into programs with drawings and sets this as
// it loads; elsewhere a drawing would be a blank white box.
using PictureMaker = QWidget* (*)(const std::string& svg, QWidget* parent);
void SetPictureMaker(PictureMaker maker);

// Sees every accessibility event a view raises, whether or not assistive
// technology is listening (which Qt's offscreen platform never does).
using AccessibleListener = void (*)(QAccessibleEvent* event);
void SetAccessibleListener(AccessibleListener listener);

// Fonts and colours shared by every window.
QFont FontFor(Look look, int points);
QFont FontFor(const Control& control);

}  // namespace qt
