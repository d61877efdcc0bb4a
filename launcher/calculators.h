// The suite launcher: every program of the suite by subject, started as a
// separate process from beside the launcher's own executable.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "frame/form.h"

namespace launcher {

struct Entry {
  std::string name;     // the program file
  std::string subject;  // the group it is listed in
  std::string title;    // as its own window shows it
  std::string about;    // one line on what it computes
};

// Every program of the suite, in the order they are listed.
const std::vector<Entry>& Programs();
const Entry* FindProgram(const std::string& name);

// The folder of the running executable.
std::string ExecutableDir();
// Whether an executable file of that name stands in dir.
bool ProgramExists(const std::string& dir, const std::string& name);

class Calculators : public frame::Form {
 public:
  // Lists the programs for which exists(name) holds.
  explicit Calculators(const std::function<bool(const std::string&)>& exists);
  Calculators();  // the programs beside this executable

  const std::vector<std::string>& listed() const { return listed_; }

 private:
  std::vector<std::string> listed_;
};

}  // namespace launcher
