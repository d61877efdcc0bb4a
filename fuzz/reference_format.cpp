#include "fuzz/reference_format.h"

#include <cmath>
#include <cstdint>
#include <vector>

namespace fuzz {

namespace {

// Non-negative big integer in base 10^9, least significant limb first.
using Big = std::vector<uint32_t>;

void MulSmall(Big& b, uint32_t factor) {
  uint64_t carry = 0;
  for (uint32_t& limb : b) {
    const uint64_t x = static_cast<uint64_t>(limb) * factor + carry;
    limb = static_cast<uint32_t>(x % 1000000000u);
    carry = x / 1000000000u;
  }
  while (carry) {
    b.push_back(static_cast<uint32_t>(carry % 1000000000u));
    carry /= 1000000000u;
  }
}

std::string Digits(const Big& b) {
  std::string s = std::to_string(b.back());
  for (size_t i = b.size() - 1; i-- > 0;) {
    std::string part = std::to_string(b[i]);
    s += std::string(9 - part.size(), '0') + part;
  }
  return s;
}

// value = 0.d1 d2 d3 ... times 10^point
struct Decimal {
  std::string digits;
  int point = 0;
};

Decimal Exact(double v) {
  Decimal d;
  if (v == 0) return d;
  int e = 0;
  const double f = std::frexp(v, &e);
  uint64_t m = static_cast<uint64_t>(std::ldexp(f, 64 - 11));
  e -= 64 - 11;
  Big big = {static_cast<uint32_t>(m % 1000000000u), static_cast<uint32_t>(m / 1000000000u % 1000000000u),
             static_cast<uint32_t>(m / 1000000000000000000u)};
  while (big.size() > 1 && big.back() == 0) big.pop_back();
  int shift = 0;
  if (e >= 0) {
    for (int i = 0; i < e; ++i) MulSmall(big, 2);
  } else {
    for (int i = 0; i < -e; ++i) MulSmall(big, 5);
    shift = -e;
  }
  d.digits = Digits(big);
  d.point = static_cast<int>(d.digits.size()) - shift;
  return d;
}

// Keeps the first keep digits, rounding half away from zero.
void Cut(Decimal& d, int keep) {
  if (keep < 0) {
    d.digits.clear();
    return;
  }
  if (static_cast<int>(d.digits.size()) <= keep) return;
  const bool up = d.digits[keep] >= '5';
  d.digits.resize(keep);
  if (!up) return;
  int i = keep - 1;
  while (i >= 0 && d.digits[i] == '9') d.digits[i--] = '0';
  if (i >= 0) {
    ++d.digits[i];
  } else {
    d.digits.insert(d.digits.begin(), '1');
    ++d.point;
  }
}

}  // namespace

std::string ReferenceFormat(double value, int significant, const std::string& pattern) {
  const bool negative = value < 0;
  Decimal d = Exact(std::fabs(value));
  Cut(d, significant);
  const size_t dot = pattern.find('.');
  const std::string ip = pattern.substr(0, dot);
  const std::string fp = dot == std::string::npos ? "" : pattern.substr(dot + 1);
  std::string holders;
  for (char c : fp)
    if (c == '0' || c == '#') holders += c;
  const int n = static_cast<int>(holders.size());
  if (!d.digits.empty()) Cut(d, d.point + n);

  std::string integer, fraction;
  for (int i = 0; i < d.point; ++i) integer += i < static_cast<int>(d.digits.size()) ? d.digits[i] : '0';
  for (int i = 0; i < n; ++i) {
    const int at = d.point + i;
    fraction += at >= 0 && at < static_cast<int>(d.digits.size()) ? d.digits[at] : '0';
  }
  while (!integer.empty() && integer[0] == '0') integer.erase(0, 1);
  const bool zero = integer.empty() && fraction.find_first_not_of('0') == std::string::npos;
  size_t zeros = 0;
  for (char c : ip) zeros += c == '0';
  while (integer.size() < zeros) integer.insert(integer.begin(), '0');
  if (ip.find(',') != std::string::npos) {
    for (int i = static_cast<int>(integer.size()) - 3; i > 0; i -= 3) integer.insert(i, ",");
  }
  while (!fraction.empty() && fraction.back() == '0' && holders[fraction.size() - 1] == '#')
    fraction.pop_back();
  std::string out = (negative && !zero ? "-" : "") + integer;
  if (dot != std::string::npos) out += "." + fraction;
  return out;
}

}  // namespace fuzz
