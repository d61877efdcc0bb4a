// The page's print files: kept in the module's memory, by name, for the page
// to hand to the browser as downloads. Linked into the page's module in place
// of the core's writer to the working folder (core/files.cpp), so the page
// needs no file system.
#include <map>

#include "core/files.h"
#include "web/window.h"

namespace {

std::map<std::string, std::string>& Files() {
  static std::map<std::string, std::string> files;
  return files;
}

}  // namespace

namespace core {

std::string WorkingFolder() { return ""; }

// The page's files are downloads: the folder they land in is the browser's,
// out of the page's sight, and the browser gives a download a name of its
// own rather than replace an earlier one. What the keeper holds, this window
// wrote.
bool FileExists(const std::string&) { return false; }

// Memory does not fill up before the module's own allocations fail, which the
// event boundary reports; a name is written whole, as on the desktop.
std::string SaveFile(const std::string& name, std::string_view bytes, const std::string&) {
  Files()[name] = std::string(bytes);
  return "";
}

}  // namespace core

namespace web {

const std::string* PageFile(const std::string& name) {
  const auto found = Files().find(name);
  return found == Files().end() ? nullptr : &found->second;
}

}  // namespace web
