#include <unistd.h>

#include <cstring>
#include <iostream>
#include <string>

#include "qt/main.h"
#include "launcher/calculators_window.h"

// "calculators PROGRAM [ARGS]" starts one program of the suite directly.
int main(int argc, char** argv) {
  if (argc >= 2 && argv[1][0] != '-') {
    if (!launcher::FindProgram(argv[1])) {
      std::cerr << "calculators: no program named \"" << argv[1] << "\" in the suite\n";
      return 2;
    }
    const std::string path = launcher::ProgramDir() + "/" + argv[1];
    ::execv(path.c_str(), argv + 1);
    std::cerr << "calculators: cannot start " << path << ": " << std::strerror(errno) << "\n";
    return 1;
  }
  return qt::RunProgram<launcher::Calculators>(argc, argv);
}
