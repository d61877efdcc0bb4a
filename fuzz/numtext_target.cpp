// Any bytes into both parsers; a value the strict parser accepts reads back
// from its number texts.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "frame/failure.h"
#include "frame/numtext.h"

static void Expect(bool ok, const std::string& what) {
  if (!ok) {
    std::fprintf(stderr, "\nbroken: %s\n", what.c_str());
    std::abort();
  }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const double leading = frame::ParseLeading(text);
  Expect(leading == leading && leading - leading == 0, "ParseLeading gave a non-finite value");
  const auto strict = frame::ParseStrict(text);
  if (!strict) return 0;
  const float v = *strict;
  Expect(v - v == 0, "ParseStrict accepted a non-finite value");
  // Number texts hold 7 significant digits of a Single: the decimal they
  // write lies within half a unit of the 7th digit of the value (at most
  // 5e-7 of it), reading one back gives the same text again.
  const std::string plain = frame::NumberText(v);
  const auto back = frame::ParseStrict(plain);
  Expect(back.has_value(), "NumberText(" + text + ") = " + plain + " does not read back");
  const double written = std::strtod(plain.c_str(), nullptr);
  Expect(std::fabs(written - v) <= 5.0000001e-7 * std::fabs(static_cast<double>(v)),
         "NumberText(" + text + ") = " + plain + " is not the value at 7 digits");
  Expect(frame::NumberText(*back) == plain, "NumberText(" + text + ") = " + plain + " is not stable");
  const std::string signed_text = frame::SignedNumberText(v);
  const auto back2 = frame::ParseStrict(signed_text);
  Expect(back2 && *back2 == *back,
         "SignedNumberText(" + text + ") = " + signed_text + " does not read back");
  for (const char* pattern : {"###,###", "#0.0", "0.####", "##,###0.000"})
    (void)frame::FormatPattern(v, pattern);
  return 0;
}
