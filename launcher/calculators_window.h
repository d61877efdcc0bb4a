// The suite launcher: every program of the suite by subject, started as a
// separate process from the suite's program folder: beside the launcher in a
// build folder, libexec/flow-calculators/ of the prefix once installed.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/form.h"

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
// The folder of the suite's programs as seen from the launcher's own folder:
// "" beside it (a build folder), else the installed program folder (for
// example "../libexec/flow-calculators/"), with its closing slash.
std::string ProgramDirFrom(const std::string& launcherDir);
// The folder of the suite's programs for this executable.
std::string ProgramDir();

class Calculators : public core::Form {
 public:
  // Lists the programs for which exists(name) holds; an entry starts
  // prefix + name, relative to the launcher's own folder.
  explicit Calculators(const std::function<bool(const std::string&)>& exists,
                       std::string prefix = "");
  Calculators();  // the programs of the suite's program folder

  const std::vector<std::string>& listed() const { return listed_; }

 private:
  std::vector<std::string> listed_;
  std::string prefix_;
};

}  // namespace launcher
