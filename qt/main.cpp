#include "qt/main.h"
#include "qt/model.h"

#include <QApplication>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <locale>

#include "qt/exit_when_painted.h"
#include "qt/help_window.h"
#include "qt/plot_action.h"
#include "qt/print_action.h"
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
  std::cerr << "usage: " << program << " [--units us|si] [--script FILE]\n"
            << "  --units us|si  show and read US customary or SI units (the window\n"
            << "                 otherwise opens in the user's last choice)\n"
            << "  --script FILE  run the window without a display, reading commands\n"
            << "                 from FILE (- for standard input)\n";
  return 2;
}

}  // namespace

int RunProgram(int argc, char** argv, const FormFactory& make) {
  ClassicLocale();
  // --units us|si, before anything else.
  const char* asked = nullptr;
  if (argc >= 2 && std::strcmp(argv[1], "--units") == 0) {
    if (argc < 3 || !core::UnitSystemNamed(argv[2])) return Usage(argv[0]);
    asked = argv[2];
    argv[2] = argv[0];
    argc -= 2;
    argv += 2;
  }
  if (argc >= 2 && std::strcmp(argv[1], "--script") == 0) {
    if (argc != 3) return Usage(argv[0]);
    // The script mode reads no settings: US unless asked.
    const core::UnitSystem units =
        asked ? *core::UnitSystemNamed(asked) : core::UnitSystem::US;
    std::unique_ptr<Form> form = make();
    if (std::strcmp(argv[2], "-") == 0)
      return RunScript(*form, make, std::cin, std::cout, std::cerr, units);
    std::ifstream in(argv[2]);
    if (!in) {
      std::cerr << argv[0] << ": cannot read " << argv[2] << "\n";
      return 2;
    }
    return RunScript(*form, make, in, std::cout, std::cerr, units);
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
  std::unique_ptr<Form> form = make();
  // The first computation runs before the view exists: the view then builds
  // only the widgets of what the loaded window shows.
  form->Load();
  if (form->ended()) return 0;
  if (const auto units = StartingUnits(asked ? asked : ""); units != core::UnitSystem::US)
    form->UserUnits(units);
  View view(*form);
  AddHelpActions(view, QString::fromUtf8(ProgramHelp()));
  AddSweepAction(view, *form, make);
  AddChartAction(view, *form);
  AddUnitsActions(view, *form);
  AddPrintAction(view, *form);
  ExitWhenPainted::InstallIfAsked(view);
  view.show();
  return app.exec();
}

}  // namespace qt
