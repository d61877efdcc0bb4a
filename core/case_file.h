// Cases: what a student did in a window, kept as a file to open again, share
// or hand in. A case is the window's user actions since it opened, written in
// the script mode's own commands (type, click, select, units) under one
// comment line that names the program, the suite's version and the unit
// system, so `PROGRAM --script CASE` runs it as it is.
//
// Opening a case reads the whole text and replays it on a fresh window of the
// program before anything is shown: a case that does not replay cleanly is
// refused with "Line N: why", and the window the user had stays as it was.
// A case only types, clicks and selects in its own window: while it replays
// no print file is written and no program is started.
//
// The same case travels in a page's address as a fragment (FragmentOf),
// checked against a cut or changed address. Free of any toolkit: both views
// call it.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/form.h"
#include "core/sweep.h"

namespace core {

inline constexpr std::string_view kCaseExtension = ".flowcase";
inline constexpr std::string_view kCaseMimeType = "application/x-flow-calculators-case";
// What every case begins with: the first line is
// "# flow-calculators case: program NAME, version V, units us|si".
inline constexpr std::string_view kCaseMark = "# flow-calculators case: ";
// Larger files are refused unread: no window's history comes near it.
inline constexpr std::size_t kMaxCaseBytes = 1024 * 1024;
// A text box holds no more characters than this (a desktop line edit's own
// limit), so a case that types more cannot be a window's history.
inline constexpr std::size_t kMaxTypedChars = 32767;

// The suite's version (the build's project version).
std::string SuiteVersion();

// The case of a window as it stands: its header, then one line per user
// action. A window that has ended keeps the actions before the one that
// ended it. Throws Failure when an action cannot be written as a line (a
// text typed with a line break in it).
std::string CaseText(const Form& form, std::string_view program);

// Writes the case of form to the file at path (the script mode's
// --save-case): whole or not at all, since a case cut short would open as
// another window. Empty when written, else why not.
std::string WriteCaseFile(const Form& form, std::string_view program, const std::string& path);

// The program a case names in its header; empty when the text does not begin
// with one (so a launcher can route a file without reading it all).
std::string CaseProgram(std::string_view text);

struct CaseRead {
  // Every action to replay on a fresh window, its Load first.
  std::vector<UserAction> actions;
  // "Line N: why" for a case that cannot be opened; empty when it can.
  std::string error;
  bool ok() const { return error.empty(); }
};

// Reads and checks a case for program: its bytes, its header, each line, and
// a replay of the whole on a fresh window made by make.
CaseRead ReadCase(std::string_view text, std::string_view program, const FormFactory& make);

struct OpenedCase {
  std::unique_ptr<Form> window;  // loaded and replayed; null on error
  std::string error;
  bool ok() const { return error.empty(); }
};

// The window a case leaves: fresh, loaded, with every action replayed (no
// print file written, no program started while it replays), ready for the
// user: the actions that follow write and start as usual.
OpenedCase OpenCase(std::string_view text, std::string_view program, const FormFactory& make);

// --- in an address ---
// A case as an address fragment (without the '#'):
//   case=PROGRAM;t.txtm1=2;c.cmdscompute;s.lstx=Air;u.si;k=CHECK
// t type, c click, s select, u units; a text or item is percent-encoded, a
// blank written '+'; CHECK is the CRC-32 of everything before ";k=", as 8
// hexadecimal digits, so a cut or changed address is refused.
std::string FragmentOf(const Form& form, std::string_view program);

struct FragmentRead {
  std::string text;   // the case, as its file would be
  std::string error;  // why the fragment cannot be one; empty when it can
  bool ok() const { return error.empty(); }
};
// The case a fragment holds (a leading '#' is allowed), for program; its
// actions are then read and replayed as a file's are (ReadCase, OpenCase).
FragmentRead CaseOfFragment(std::string_view fragment, std::string_view program);

}  // namespace core
