// The script mode of a window under Node: node PROGRAM.js --script FILE
// (- for standard input), exactly as the desktop program speaks it. Print
// files land in the working directory (the module reaches the real file
// system).
#include <clocale>
#include <cstring>
#include <fstream>
#include <iostream>
#include <locale>
#include <string>

#include "core/case_file.h"
#include "core/script.h"
#include "web/window.h"

namespace {

int Usage() {
  std::cerr << "usage: " << web::kProgram << " [--units us|si] [--save-case CASE] [--script FILE]\n"
            << "  --units us|si  show and read US customary (the default) or SI units\n"
            << "  --save-case CASE  after the script, write the window's case to CASE\n"
            << "  --script FILE  run the window without a display, reading commands\n"
            << "                 from FILE (- for standard input)\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::setlocale(LC_ALL, "C");
  std::locale::global(std::locale::classic());
  if (argc >= 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
    Usage();
    return 0;
  }
  core::UnitSystem units = core::UnitSystem::US;
  if (argc >= 3 && std::strcmp(argv[1], "--units") == 0) {
    const auto asked = core::UnitSystemNamed(argv[2]);
    if (!asked) return Usage();
    units = *asked;
    argv += 2;
    argc -= 2;
  }
  // The case the page's Save case… gives for the same actions.
  const char* casePath = nullptr;
  if (argc >= 3 && std::strcmp(argv[1], "--save-case") == 0) {
    casePath = argv[2];
    argv += 2;
    argc -= 2;
  }
  if (argc != 3 || std::strcmp(argv[1], "--script") != 0) return Usage();
  const core::FormFactory make = [] { return web::MakeWindow(); };
  std::unique_ptr<core::Form> form = make();
  int status = 0;
  if (std::strcmp(argv[2], "-") == 0) {
    status = core::RunScript(*form, make, std::cin, std::cout, std::cerr, units);
  } else {
    std::ifstream in(argv[2]);
    if (!in) {
      std::cerr << web::kProgram << ": cannot read " << argv[2] << "\n";
      return 2;
    }
    status = core::RunScript(*form, make, in, std::cout, std::cerr, units);
  }
  if (casePath) {
    if (const std::string error = core::WriteCaseFile(*form, web::kProgram, casePath); !error.empty()) {
      std::cerr << web::kProgram << ": " << error << "\n";
      return 2;
    }
  }
  return status;
}
