#include "qt/main.h"
#include "qt/model.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QTimer>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <locale>

#include "qt/exit_when_painted.h"
#include "qt/help_window.h"
#include "qt/plot_action.h"
#include "qt/program_window.h"
#include "core/case_file.h"
#include "core/script.h"
#include "qt/style.h"
#include "qt/units_action.h"
#include "qt/view.h"

namespace qt {

namespace {

// Number texts use "." and "," whatever the user's regional settings.
void ClassicLocale() {
  std::setlocale(LC_ALL, "C");
  std::locale::global(std::locale::classic());
}

int Usage(const char* program) {
  std::cerr << "usage: " << program << " [--units us|si] [--case FILE | [--save-case CASE] --script FILE]\n"
            << "  --units us|si  show and read US customary or SI units (the window\n"
            << "                 otherwise opens in the user's last choice)\n"
            << "  --case FILE    open the window as a saved case left it\n"
            << "  --script FILE  run the window without a display, reading commands\n"
            << "                 from FILE (- for standard input)\n"
            << "  --save-case CASE  after the script, write the window's case to CASE\n";
  return 2;
}

std::string& Name() {
  static std::string name;
  return name;
}

// Whether the arguments begin with option. With its value after it, both
// are taken off the front (the program's name stays first) and value is
// set; without one, value stays null.
bool TakeOption(int& argc, char**& argv, const char* option, const char*& value) {
  if (argc < 2 || std::strcmp(argv[1], option) != 0) return false;
  if (argc < 3) return true;
  value = argv[2];
  argv[2] = argv[0];
  argc -= 2;
  argv += 2;
  return true;
}

// The program's name, as its cases and settings know it.
std::string ProgramName(const char* argv0) {
  return Name().empty() ? QFileInfo(QString::fromLocal8Bit(argv0)).fileName().toStdString() : Name();
}

}  // namespace

void SetProgramName(const char* name) { Name() = name ? name : ""; }

int RunProgram(int argc, char** argv, const FormFactory& make) {
  ClassicLocale();
  // --units us|si, before anything else.
  const char* asked = nullptr;
  if (TakeOption(argc, argv, "--units", asked) && (!asked || !core::UnitSystemNamed(asked))) return Usage(argv[0]);
  // --case FILE: the window as the case left it.
  const char* casePath = nullptr;
  if (TakeOption(argc, argv, "--case", casePath) && (!casePath || argc != 1)) return Usage(argv[0]);
  // --save-case CASE: after the script, the case "Save case…" would write.
  const char* savePath = nullptr;
  if (TakeOption(argc, argv, "--save-case", savePath) &&
      (!savePath || casePath || argc < 2 || std::strcmp(argv[1], "--script") != 0))
    return Usage(argv[0]);
  if (argc >= 2 && std::strcmp(argv[1], "--script") == 0) {
    if (argc != 3 || casePath) return Usage(argv[0]);
    // The script mode reads no settings: US unless asked.
    const core::UnitSystem units =
        asked ? *core::UnitSystemNamed(asked) : core::UnitSystem::US;
    std::unique_ptr<Form> form = make();
    int status = 0;
    if (std::strcmp(argv[2], "-") == 0) {
      status = RunScript(*form, make, std::cin, std::cout, std::cerr, units);
    } else {
      std::ifstream in(argv[2]);
      if (!in) {
        std::cerr << argv[0] << ": cannot read " << argv[2] << "\n";
        return 2;
      }
      status = RunScript(*form, make, in, std::cout, std::cerr, units);
    }
    if (savePath) {
      if (const std::string error = core::WriteCaseFile(*form, ProgramName(argv[0]), savePath); !error.empty()) {
        std::cerr << argv[0] << ": " << error << "\n";
        return 2;
      }
    }
    return status;
  }
  if (argc >= 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
    Usage(argv[0]);
    return 0;
  }

  QApplication app(argc, argv);
  ClassicLocale();  // QApplication takes the environment's locale
  QApplication::setStyle(new SuiteStyle);
  // The suite's text font is every widget's default: a widget that lays out
  // text before its own font is set (a box does) then needs no other font.
  QApplication::setFont(FontFor(Look::Text, 10));
  auto program = std::make_shared<Program>();
  program->name = ProgramName(argv[0]);
  program->make = make;
  program->help = QString::fromUtf8(ProgramHelp());
  // The launcher's window is a menu of programs: it has no case to keep.
  program->cases = program->name != "calculators";
  std::unique_ptr<Form> form;
  QString refused;
  if (casePath) {
    core::OpenedCase opened = OpenCaseFile(QString::fromLocal8Bit(casePath), *program);
    if (opened.ok()) form = std::move(opened.window);
    else refused = QString::fromStdString(opened.error);
  }
  if (!form) {
    form = make();
    // The first computation runs before the view exists: the view then
    // builds only the widgets of what the loaded window shows.
    form->Load();
    if (form->ended()) return 0;
    if (const auto units = StartingUnits(asked ? asked : ""); units != core::UnitSystem::US)
      form->UserUnits(units);
  }
  View* view = ShowProgramWindow(std::move(form), program);
  ExitWhenPainted::InstallIfAsked(*view);
  // A case that cannot be opened leaves the window as it opens, and says why.
  if (!refused.isEmpty())
    QTimer::singleShot(0, view, [view, refused] { QMessageBox::warning(view, "Open case", refused); });
  const int status = app.exec();
  DeleteProgramWindows();
  return status;
}

}  // namespace qt
