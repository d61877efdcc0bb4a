// The menu of the six one-dimensional flow calculators: each entry starts its
// program as a process of its own and the menu stays open.
#pragma once

#include <string>
#include <vector>

#include "core/form.h"

namespace flowmenu {

// Program files carry the platform's extension; the menu passes the bare
// file name and the platform resolves it beside the menu's own executable.
#ifdef _WIN32
inline constexpr const char* kProgramExtension = ".exe";
#else
inline constexpr const char* kProgramExtension = "";
#endif

struct Entry {
  const char* option;
  const char* caption;
  const char* program;  // without the extension
};

// The entries top to bottom as the window shows them (the two constant
// temperature entries stand swapped against their numbering).
const std::vector<Entry>& Entries();

class FlowMenu : public core::Form {
 public:
  FlowMenu();

 protected:
  void Form_Load() override;

 private:
  void Option1_Click();
  void Option2_Click();
  void Option3_Click();
  void Option4_Click();
  void Option5_Click();
  void Option6_Click();
  void Start(const char* option);  // the program of that entry

  core::Label* Label1;
  core::Option *Option1, *Option2, *Option3, *Option4, *Option5, *Option6, *Option8;
  core::Button* cmdend;
};

}  // namespace flowmenu
