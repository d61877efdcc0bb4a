// Where print files go. The desktop programs and the command-line entries
// write them into the working folder; the browser's page links its own
// keeper instead (web/page_files.cpp), which holds them for the page to offer
// as downloads, so the page carries no file system at all.
#pragma once

#include <string>
#include <string_view>

namespace core {

// The working folder now ("" where there is none).
std::string WorkingFolder();

// Whether something of that name stands in the working folder already.
bool FileExists(const std::string& name);

// Writes bytes as the file name, whole or not at all: "" when written, else
// the file's full path and why it could not be written, in words a person can
// act on. startFolder stands in for a working folder that has gone.
std::string SaveFile(const std::string& name, std::string_view bytes, const std::string& startFolder);

}  // namespace core
