// The help of one program for the web pages, made as the desktop build makes
// it (core::FinishHelp): node help_PROGRAM.js SOURCE.md OUT.md writes the help
// file with its worked examples filled in from what the program prints for
// their cases and its units in both systems (a program without a help file
// gets a placeholder titled by its window).
#include <clocale>
#include <fstream>
#include <iostream>
#include <locale>

#include "core/help_doc.h"
#include "core/script.h"
#include "web/window.h"

int main(int argc, char** argv) {
  std::setlocale(LC_ALL, "C");
  std::locale::global(std::locale::classic());
  if (argc != 3) {
    std::cerr << "usage: help_" << web::kProgram << " SOURCE.md OUT.md\n";
    return 2;
  }
  const auto make = [] { return web::MakeWindow(); };
  const core::HelpExample filled = core::FinishHelp(make, argv[1], core::ReadFileText(argv[1]),
                                                    core::ScratchCaseRunner(make));
  // The desktop's help tests name what is missing; the page shows the rest.
  if (!filled.problem.empty()) std::cerr << argv[1] << ": " << filled.problem << "\n";
  std::ofstream out(argv[2], std::ios::binary);
  out << filled.markdown;
  if (!out) {
    std::cerr << "cannot write " << argv[2] << "\n";
    return 1;
  }
  return 0;
}
