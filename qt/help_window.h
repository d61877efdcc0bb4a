// The help of a program in a window of its own: F1 or "Help" in the
// window's context menu opens it; "About" names the suite, its version and
// licence. The text is the program's Markdown help, built into it.
#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;

namespace qt {

// The program's help (empty when none was built in). The build adds a source
// to every program that sets it before main runs.
const char* ProgramHelp();
void SetProgramHelp(const char* markdown);

class HelpWindow : public QWidget {
  Q_OBJECT

 public:
  explicit HelpWindow(const QString& markdown, QWidget* owner = nullptr);
  QTextBrowser* browser() const { return browser_; }

 private:
  QTextBrowser* browser_;
};

// Adds "Help" (F1) and "About" to a window and its context menu.
void AddHelpActions(QWidget& window, const QString& markdown);

// The help window a window has opened, or nullptr.
HelpWindow* HelpWindowOf(const QWidget& window);

// The text of the About box.
QString AboutText();

}  // namespace qt
