// Any bytes as a case file and as an address fragment for the isentropic
// window: refused with a line and a reason, or opened as a window whose case
// saves and travels back unchanged.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "core/case_file.h"
#include "flowtables/isentropic_window.h"
#include "fuzz/window_driver.h"

namespace {

void Expect(bool ok, const std::string& what) {
  if (!ok) {
    std::fprintf(stderr, "\nbroken: %s\n", what.c_str());
    std::abort();
  }
}

const core::FormFactory kMake = [] { return std::unique_ptr<core::Form>(new flowtables::Isentropic); };

// An opened case saves as a case that opens as the same window, in a file
// and in an address.
void RoundTrip(const core::Form& window) {
  const std::string text = core::CaseText(window, "isentropic");
  const core::OpenedCase again = core::OpenCase(text, "isentropic", kMake);
  Expect(again.ok(), "a saved case is refused: " + again.error + "\n" + text);
  Expect(core::StateText(*again.window) == core::StateText(window), "a saved case opens otherwise:\n" + text);
  const core::FragmentRead read = core::CaseOfFragment(core::FragmentOf(window, "isentropic"), "isentropic");
  Expect(read.ok() && read.text == text, "an address does not carry its case back:\n" + text);
}

void Opened(const std::string& text) {
  const core::OpenedCase opened = core::OpenCase(text, "isentropic", kMake);
  if (!opened.ok()) {
    Expect(opened.error.rfind("Line ", 0) == 0 && opened.window == nullptr, "a refusal without its line: " + opened.error);
    return;
  }
  Expect(opened.window != nullptr, "an opened case without a window");
  RoundTrip(*opened.window);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::EnterScratchFolder();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  // As a file, and as the lines of a file for this window.
  Opened(bytes);
  Opened("# flow-calculators case: program isentropic, version 1.0, units us\n" + bytes);
  const core::FragmentRead read = core::CaseOfFragment(bytes, "isentropic");
  if (read.ok()) Opened(read.text);
  else Expect(read.error.rfind("The address ", 0) == 0, "a refused address that does not say so: " + read.error);
  return 0;
}
