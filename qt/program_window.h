// The windows of a running program, each a model with its view and the
// actions of its context menu; and cases: "Save case…" (Ctrl+S), "Open
// case…" (Ctrl+O), or a case file dropped on the window.
//
// A view shows one model for its whole life, and the sweep, chart and units
// actions hold that model too; so an opened case, replayed on a fresh model,
// gets a window of its own, put where the old one stood, and the old one is
// put away without ending the program (nothing of it is closed by the user).
#pragma once

#include <QKeySequence>
#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/case_file.h"
#include "qt/model.h"

class QAction;
class QWidget;

namespace qt {

class View;

inline const QKeySequence kSaveCaseShortcut{Qt::CTRL | Qt::Key_S};
inline const QKeySequence kOpenCaseShortcut{Qt::CTRL | Qt::Key_O};

struct Program {
  std::string name;  // as programs.txt lists it; names its cases
  FormFactory make;
  QString help;  // the help's Markdown
  bool cases = true;  // offers Save and Open case
};

// Shows a window of program over form (loaded), with every action of its
// context menu. replacing: a window of the program whose place it takes; it
// is put away, its model with it, once the event that asked is over. The
// window and its model live until replaced or DeleteProgramWindows.
View* ShowProgramWindow(std::unique_ptr<Form> form, std::shared_ptr<const Program> program,
                        View* replacing = nullptr);
// The windows shown and not replaced, oldest first.
std::vector<View*> ProgramWindows();
// Deletes every window and its model (at the end of the program).
void DeleteProgramWindows();

// A case file read and replayed for program: the window, or "FILE: Line N:
// why" (a file that cannot be read, or is over 1 MB, is refused unread).
core::OpenedCase OpenCaseFile(const QString& path, const Program& program);

// The file dialog, which the tests replace: returns the chosen path, or an
// empty one when the user cancels.
using CaseFileChooser = std::function<QString(QWidget* parent, bool save)>;
void SetCaseFileChooser(CaseFileChooser chooser);  // nothing: the dialog again

// Adds "Save case…" and "Open case…" to view's context menu and takes case
// files dropped on it; an opened case replaces the window (ShowProgramWindow).
void AddCaseActions(View& view, std::shared_ptr<const Program> program);

}  // namespace qt
