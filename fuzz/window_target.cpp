// One fuzz target per window: WINDOW_HEADER and WINDOW_CLASS name it.
#include <memory>

#include "fuzz/window_driver.h"
#include WINDOW_HEADER

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::EnterScratchFolder();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::DriveWindow(data, size, [] { return std::make_unique<WINDOW_CLASS>(); });
  return 0;
}
