// FormatPattern against the slow exact rendering, for Single and Double
// values of every kind and every pattern of the suite.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "core/numtext.h"
#include "fuzz/reference_format.h"

namespace {

const char* const kPatterns[] = {"###,###", "###.0",   "##,###",  "##,###0.0", "##,###0.00",
                                 "##,###0.000", "##.##", "##0.000", "#.##",     "#0",
                                 "#0.",     "#0.0",    "#0.00",   "#0.000",    "#0.0000",
                                 "#0.00000", "0.####", "0.",      "0.000"};

void Compare(const std::string& got, const std::string& want, const char* pattern, double v,
             const char* kind) {
  if (got != want) {
    std::fprintf(stderr, "\n%s %.17g with \"%s\": got \"%s\", exact rendering \"%s\"\n", kind, v,
                 pattern, got.c_str(), want.c_str());
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  double d = 0;
  switch (data[0] % 4) {
    case 0:  // raw bits of a Double
      if (size < 9) return 0;
      std::memcpy(&d, data + 1, 8);
      break;
    case 1: {  // raw bits of a Single
      if (size < 5) return 0;
      float f;
      std::memcpy(&f, data + 1, 4);
      d = f;
      break;
    }
    default: {  // a half at some digit position: digits, then 5, times a power of ten
      if (size < 4) return 0;
      uint32_t digits = 0;
      std::memcpy(&digits, data + 1, size >= 5 ? 4 : 2);
      const int exponent = static_cast<int>(data[size - 1] % 40) - 20;
      const std::string text = std::to_string(digits % 100000000) + "5e" + std::to_string(exponent);
      d = std::strtod(text.c_str(), nullptr);
      if (data[0] & 8) d = -d;
      break;
    }
  }
  if (!std::isfinite(d)) return 0;
  const float f = static_cast<float>(d);
  for (const char* pattern : kPatterns) {
    Compare(core::FormatPattern(d, pattern), fuzz::ReferenceFormat(d, 15, pattern), pattern, d,
            "Double");
    if (std::isfinite(f))
      Compare(core::FormatPattern(f, pattern), fuzz::ReferenceFormat(f, 7, pattern), pattern, f,
              "Single");
  }
  return 0;
}
