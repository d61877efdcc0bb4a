// Any bytes into both parsers; a value the strict parser accepts reads back
// from its number texts.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/failure.h"
#include "core/numtext.h"

static void Expect(bool ok, const std::string& what) {
  if (!ok) {
    std::fprintf(stderr, "\nbroken: %s\n", what.c_str());
    std::abort();
  }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const double leading = core::ParseLeading(text);
  Expect(leading == leading && leading - leading == 0, "ParseLeading gave a non-finite value");
  // The leading rule as a box reads it: a text read whole gives what the
  // plain leading reader gives (commas aside, which that one stops at).
  const core::LeadingRead whole = core::ReadLeading(text);
  Expect(whole.value - whole.value == 0, "ReadLeading gave a non-finite value");
  if (whole.fault == core::StrictFault::None && text.find(',') == std::string::npos)
    Expect(whole.value == leading, "ReadLeading(" + text + ") differs from ParseLeading");
  const auto strict = core::ParseStrict(text);
  Expect(strict.has_value() == (core::ClassifyStrict(text) == core::StrictFault::None),
         "ClassifyStrict(" + text + ") disagrees with ParseStrict");
  if (!strict) return 0;
  const float v = *strict;
  Expect(v - v == 0, "ParseStrict accepted a non-finite value");
  // Number texts hold 7 significant digits of a Single: the decimal they
  // write lies within half a unit of the 7th digit of the value (at most
  // 5e-7 of it), reading one back gives the same text again.
  const std::string plain = core::NumberText(v);
  const auto back = core::ParseStrict(plain);
  Expect(back.has_value(), "NumberText(" + text + ") = " + plain + " does not read back");
  const double written = std::strtod(plain.c_str(), nullptr);
  Expect(std::fabs(written - v) <= 5.0000001e-7 * std::fabs(static_cast<double>(v)),
         "NumberText(" + text + ") = " + plain + " is not the value at 7 digits");
  // Written again, the text stays; only just below a power of ten may it not:
  // there 7 digits step ten times finer than above it, finer than a Single
  // (1E+28 reads as 9.9999994E+27, which is 9.999999E+27 at 7 digits).
  const std::string again = core::NumberText(*back);
  std::string mantissa = plain.substr(0, plain.find('E'));
  std::erase_if(mantissa, [](char c) { return c == '-' || c == '.' || c == '0'; });
  const bool below_power_of_ten = mantissa == "1" &&
      std::fabs(static_cast<double>(*back)) < std::fabs(written);
  Expect(again == plain || (below_power_of_ten &&
                            std::fabs(std::strtod(again.c_str(), nullptr) - *back) <=
                                5.0000001e-7 * std::fabs(static_cast<double>(*back))),
         "NumberText(" + text + ") = " + plain + " is not stable");
  const std::string signed_text = core::SignedNumberText(v);
  const auto back2 = core::ParseStrict(signed_text);
  Expect(back2 && *back2 == *back,
         "SignedNumberText(" + text + ") = " + signed_text + " does not read back");
  for (const char* pattern : {"###,###", "#0.0", "0.####", "##,###0.000"})
    (void)core::FormatPattern(v, pattern);
  return 0;
}
