#include <unistd.h>

#include <cstring>
#include <fstream>
#include <iostream>
#include <string>

#include "core/case_file.h"
#include "qt/main.h"
#include "launcher/calculators_window.h"

namespace {

// The program a case file names in its first line; empty when the file
// cannot be read or is no case. Only that line is read (a header is short).
std::string ProgramOfCase(const char* path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return {};
  std::string first(512, '\0');
  in.read(first.data(), static_cast<std::streamsize>(first.size()));
  first.resize(static_cast<size_t>(in.gcount()));
  return core::CaseProgram(first);
}

}  // namespace

// "calculators PROGRAM [ARGS]" starts one program of the suite directly;
// "calculators FILE" opens a saved case in the program it belongs to.
int main(int argc, char** argv) {
  if (argc >= 2 && argv[1][0] != '-') {
    if (!launcher::FindProgram(argv[1])) {
      if (argc != 2 || ::access(argv[1], F_OK) != 0) {
        std::cerr << "calculators: no program named \"" << argv[1] << "\" in the suite\n";
        return 2;
      }
      const std::string program = ProgramOfCase(argv[1]);
      if (!program.empty() && launcher::FindProgram(program)) {
        const std::string path = launcher::ProgramDir() + "/" + program;
        char option[] = "--case";
        char* args[] = {const_cast<char*>(program.c_str()), option, argv[1], nullptr};
        ::execv(path.c_str(), args);
        std::cerr << "calculators: cannot start " << path << ": " << std::strerror(errno) << "\n";
        return 1;
      }
      // No case of a program of the suite: the launcher's window opens and
      // says why (as a desktop's double-click shows no error output).
      char option[] = "--case";
      char* args[] = {argv[0], option, argv[1], nullptr};
      return qt::RunProgram<launcher::Calculators>(3, args);
    }
    const std::string path = launcher::ProgramDir() + "/" + argv[1];
    ::execv(path.c_str(), argv + 1);
    std::cerr << "calculators: cannot start " << path << ": " << std::strerror(errno) << "\n";
    return 1;
  }
  return qt::RunProgram<launcher::Calculators>(argc, argv);
}
