#include "launcher/calculators_window.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <map>
#include <utility>

namespace launcher {

const std::vector<Entry>& Programs() {
  static const std::vector<Entry> programs = {
#include "programs.inc"
  };
  return programs;
}

const Entry* FindProgram(const std::string& name) {
  for (const Entry& e : Programs())
    if (e.name == name) return &e;
  return nullptr;
}

std::string ExecutableDir() {
  char path[PATH_MAX];
  const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return ".";
  std::string exe(path, static_cast<size_t>(n));
  return exe.substr(0, exe.find_last_of('/'));
}

bool ProgramExists(const std::string& dir, const std::string& name) {
  return ::access((dir + "/" + name).c_str(), X_OK) == 0;
}

#ifndef CALC_PROGRAM_DIR_FROM_BIN
#define CALC_PROGRAM_DIR_FROM_BIN "../libexec/flow-calculators"
#endif

std::string ProgramDirFrom(const std::string& launcherDir) {
  // A build folder has every program beside the launcher; an installed
  // launcher in bin/ has none of them beside it.
  const std::string installed = std::string(CALC_PROGRAM_DIR_FROM_BIN) + "/";
  for (const Entry& e : Programs())
    if (ProgramExists(launcherDir, e.name)) return "";
  for (const Entry& e : Programs())
    if (ProgramExists(launcherDir + "/" + installed, e.name)) return installed;
  return "";
}

std::string ProgramDir() {
  const std::string dir = ExecutableDir();
  const std::string sub = ProgramDirFrom(dir);
  return sub.empty() ? dir : dir + "/" + sub.substr(0, sub.size() - 1);
}

namespace {

constexpr int kColumnW = 440;
constexpr int kEntryH = 50;
constexpr int kTop = 56;

// "One-dimensional flow" gives "Onedimensionalflow": control names hold no blanks.
std::string Identifier(const std::string& text) {
  std::string id;
  for (char c : text)
    if (std::isalnum(static_cast<unsigned char>(c))) id += c;
  return id;
}

}  // namespace

Calculators::Calculators()
    : Calculators([dir = ProgramDir()](const std::string& name) { return ProgramExists(dir, name); },
                  ProgramDirFrom(ExecutableDir())) {}

Calculators::Calculators(const std::function<bool(const std::string&)>& exists, std::string prefix)
    : core::Form("Compressible Flow and Gas Turbine Calculators", 2 * kColumnW + 24, 0),
      prefix_(std::move(prefix)) {
  // The subjects in their order, each with the programs that exist.
  std::vector<std::pair<std::string, std::vector<const Entry*>>> subjects;
  for (const Entry& e : Programs()) {
    if (!exists(e.name)) continue;
    listed_.push_back(e.name);
    if (subjects.empty() || subjects.back().first != e.subject) subjects.push_back({e.subject, {}});
    subjects.back().second.push_back(&e);
  }
  // Two columns of about equal length.
  const int total = static_cast<int>(listed_.size());
  int y[2] = {kTop, kTop}, inLeft = 0, column = 0;
  for (const auto& [subject, entries] : subjects) {
    if (column == 0 && inLeft > 0 && inLeft + static_cast<int>(entries.size()) / 2 > total / 2)
      column = 1;
    if (column == 0) inLeft += static_cast<int>(entries.size());
    const int h = 28 + kEntryH * static_cast<int>(entries.size());
    core::Frame* group =
        AddFrame("fra" + Identifier(subject), subject, {8 + column * (kColumnW + 8), y[column], kColumnW, h});
    int row = 0;
    for (const Entry* e : entries) {
      const int top = 22 + kEntryH * row++;
      auto* start = AddButton("cmd" + e->name, e->title, {10, top, kColumnW - 20, 26}, group);
      start->Click = [this, name = e->name] { StartProgram(prefix_ + name); };
      auto* about = AddLabel("lbl" + e->name, e->about, {14, top + 26, kColumnW - 24, 20}, group);
      about->points = 9;
    }
    y[column] += h + 10;
  }
  const int height = std::max(y[0], y[1]) + 50;
  auto* title = AddLabel("lblTitle", "Compressible Flow and Gas Turbine Calculators",
                         {100, 8, width() - 200, 38}, nullptr, core::Look::Title);
  (void)title;
  auto* done = AddButton("cmdend", "Done!", {width() / 2 - 55, height - 44, 110, 34});
  done->Click = [this] { End(); };
  SetSize(width(), height);
}

}  // namespace launcher
