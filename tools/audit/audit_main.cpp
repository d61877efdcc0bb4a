// The audit of one window: WINDOW_PROGRAM, WINDOW_HEADER and WINDOW_CLASS name it.
#include <memory>

#include "tools/audit/audit.h"
#include WINDOW_HEADER

int main(int argc, char** argv) {
  return audit::Main(WINDOW_PROGRAM, [] { return std::make_unique<WINDOW_CLASS>(); }, argc, argv);
}
