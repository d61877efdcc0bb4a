#include "qt/program_window.h"

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QMimeData>
#include <QPointer>
#include <QSaveFile>
#include <QTimer>
#include <QUrl>
#include <algorithm>

#include "qt/exit_when_painted.h"
#include "qt/help_window.h"
#include "qt/plot_action.h"
#include "qt/print_action.h"
#include "qt/units_action.h"
#include "qt/view.h"

namespace qt {

namespace {

struct Shown {
  View* view;
  std::unique_ptr<Form> form;
};

std::vector<Shown>& Windows() {
  static std::vector<Shown> windows;
  return windows;
}

// A window put away: deleted, its model after it (the plot and chart windows
// go with the view and still listen to the model as they close), once the
// event loop that asked is back (a context menu or a drop may still be on
// the stack then).
class Retired : public QObject {
 public:
  Retired(View* view, std::unique_ptr<Form> form) : view_(view), form_(std::move(form)) {}
  ~Retired() override {
    delete view_;
    form_.reset();
  }

 private:
  View* view_;
  std::unique_ptr<Form> form_;
};

CaseFileChooser& Chooser() {
  static CaseFileChooser chooser;
  return chooser;
}

QString Q(const std::string& text) { return QString::fromStdString(text); }

QString Choose(QWidget* parent, bool save, const std::string& program) {
  if (Chooser()) return Chooser()(parent, save);
  const QString filter = QString("Cases (*%1);;All files (*)").arg(Q(std::string(core::kCaseExtension)));
  if (save)
    return QFileDialog::getSaveFileName(parent, "Save case", Q(program + std::string(core::kCaseExtension)),
                                        filter);
  return QFileDialog::getOpenFileName(parent, "Open case", QString(), filter);
}

void SaveCase(View& view, const Program& program) {
  QString path = Choose(&view, true, program.name);
  if (path.isEmpty()) return;
  if (QFileInfo(path).suffix().isEmpty()) path += Q(std::string(core::kCaseExtension));
  std::string text;
  try {
    text = core::CaseText(view.form(), program.name);
  } catch (const Failure& f) {
    QMessageBox::warning(&view, "Save case", Q(f.what()));
    return;
  }
  // Whole or not at all: a case cut short by a full disk would open as
  // another window.
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) ||
      file.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size()) ||
      !file.commit()) {
    QMessageBox::warning(&view, "Save case",
                         QString("Cannot write the case %1: %2").arg(QFileInfo(path).absoluteFilePath(),
                                                                     file.errorString()));
  }
}

void OpenInPlace(View& view, const std::shared_ptr<const Program>& program, const QString& path) {
  core::OpenedCase opened = OpenCaseFile(path, *program);
  if (!opened.ok()) {
    QMessageBox::warning(&view, "Open case", Q(opened.error));
    return;
  }
  ShowProgramWindow(std::move(opened.window), program, &view);
}

// A case file dropped on the window opens it there.
class CaseDrop : public QObject {
 public:
  CaseDrop(View& view, std::shared_ptr<const Program> program)
      : QObject(&view), view_(view), program_(std::move(program)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != &view_) return false;
    if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
      auto* drag = static_cast<QDropEvent*>(event);
      if (OneFile(drag->mimeData()).isEmpty()) return false;
      drag->acceptProposedAction();
      return true;
    }
    if (event->type() == QEvent::Drop) {
      auto* drop = static_cast<QDropEvent*>(event);
      const QString path = OneFile(drop->mimeData());
      if (path.isEmpty()) return false;
      drop->acceptProposedAction();
      // Opened after the drop is done with: a message box must not run
      // inside the drag's own loop.
      QPointer<View> view(&view_);
      QTimer::singleShot(0, &view_, [view, program = program_, path] {
        if (view) OpenInPlace(*view, program, path);
      });
      return true;
    }
    return false;
  }

 private:
  static QString OneFile(const QMimeData* data) {
    if (!data || !data->hasUrls() || data->urls().size() != 1) return {};
    const QUrl url = data->urls().front();
    return url.isLocalFile() ? url.toLocalFile() : QString();
  }

  View& view_;
  std::shared_ptr<const Program> program_;
};

}  // namespace

View* ShowProgramWindow(std::unique_ptr<Form> form, std::shared_ptr<const Program> program,
                        View* replacing) {
  Form& model = *form;
  auto* view = new View(model);
  Windows().push_back({view, std::move(form)});
  AddHelpActions(*view, program->help);
  AddSweepAction(*view, model, program->make);
  AddChartAction(*view, model);
  AddUnitsActions(*view, model);
  if (program->cases) {
    AddCaseActions(*view, program);
    AddPrintAction(*view, model);
  }
  // Before it is shown: a platform may paint it as it shows it.
  ExitWhenPainted::InstallIfAsked(*view);
  auto& windows = Windows();
  const auto old = std::find_if(windows.begin(), windows.end(), [&](const Shown& s) { return s.view == replacing; });
  if (replacing && old != windows.end()) {
    // Where the old one stood, also once shown (a window fitted to the
    // screen on showing may have been moved).
    view->move(replacing->pos());
    view->show();
    view->move(replacing->pos());
    // Hidden, not closed: closing a window ends the program.
    replacing->hide();
    auto* retired = new Retired(replacing, std::move(old->form));
    windows.erase(old);
    retired->deleteLater();
  } else {
    view->show();
  }
  return view;
}

std::vector<View*> ProgramWindows() {
  std::vector<View*> views;
  for (const Shown& s : Windows()) views.push_back(s.view);
  return views;
}

void DeleteProgramWindows() {
  std::vector<Shown> windows = std::move(Windows());
  Windows().clear();
  for (Shown& s : windows) {
    delete s.view;
    s.form.reset();
  }
}

core::OpenedCase OpenCaseFile(const QString& path, const Program& program) {
  const QString name = QFileInfo(path).fileName();
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    return {nullptr, QString("Cannot read %1: %2").arg(QFileInfo(path).absoluteFilePath(), file.errorString()).toStdString()};
  // One byte past the limit is enough to refuse it by its line.
  const QByteArray bytes = file.read(static_cast<qint64>(core::kMaxCaseBytes) + 1);
  core::OpenedCase opened =
      core::OpenCase(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())), program.name,
                     program.make);
  if (!opened.ok()) opened.error = name.toStdString() + ": " + opened.error;
  return opened;
}

void SetCaseFileChooser(CaseFileChooser chooser) { Chooser() = std::move(chooser); }

void AddCaseActions(View& view, std::shared_ptr<const Program> program) {
  auto* separator = new QAction(&view);
  separator->setSeparator(true);
  view.addAction(separator);
  auto* save = new QAction("Save case…", &view);
  save->setObjectName("saveCase");
  save->setShortcut(kSaveCaseShortcut);
  auto* open = new QAction("Open case…", &view);
  open->setObjectName("openCase");
  open->setShortcut(kOpenCaseShortcut);
  for (QAction* action : {save, open}) {
    action->setShortcutContext(Qt::WindowShortcut);
    action->setShortcutVisibleInContextMenu(true);
    view.addAction(action);
  }
  QObject::connect(save, &QAction::triggered, &view, [&view, program] { SaveCase(view, *program); });
  QObject::connect(open, &QAction::triggered, &view, [&view, program] {
    const QString path = Choose(&view, false, program->name);
    if (!path.isEmpty()) OpenInPlace(view, program, path);
  });
  view.setAcceptDrops(true);
  view.installEventFilter(new CaseDrop(view, program));
  if (view.contextMenuPolicy() == Qt::DefaultContextMenu) view.setContextMenuPolicy(Qt::ActionsContextMenu);
}

}  // namespace qt
