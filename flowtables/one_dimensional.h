// What the formulas of the six one-dimensional flow tables share: the 99999.99
// limit of large ratios, the table stepping in Single precision, the Mach
// number search on a branch, and the check of the constants derived from γ.
#pragma once

#include <functional>
#include <initializer_list>
#include <optional>

#include "core/failure.h"

namespace flowtables {

inline constexpr double kResultLimit = 99999.99;

// Large ratios are shown as exactly 99999.99.
double Limit(double value);
// Row i (0 to 10) of a table from first to last: a Single sum of Single
// products, as the two limits are Single.
float RowValue(float first, float last, int i);

enum class Branch { Subsonic, Supersonic };

// The Mach number on a branch where f(M) equals target. The secant steps come
// first (start, then start + 0.01, then the secant through the last two
// points, until |target - f(M)| < 1e-11), so every case they settle keeps its
// digits. Where they stall, divide by zero, run past their bound or end on
// the other branch, bisection on the branch takes over. Nothing when the
// branch holds no root (or f is not finite there).
std::optional<double> SearchMach(const std::function<double(double)>& f, double target,
                                 double start, Branch branch);
// Passes of the secant steps before bisection takes over. Measured over
// γ 1.01 to 3 and area ratios 1 to 10,000: the slowest searches that settle
// (subsonic area ratios near 100) need about 515,000 passes; a few supersonic
// ones crawl on for tens of millions, and there bisection gives the same root
// to the digits shown.
inline constexpr int kSecantBound = 600000;

// The constants derived from γ: an infinite one (γ = 1 or γ = -1 divides by
// zero) would give ratios that look finite but are wrong, so stop there. The
// window names γ as typed (ConstantsFor in flowtables/family.h).
class NoFiniteRatios : public core::Failure {
 public:
  explicit NoFiniteRatios(float gamma)
      : core::Failure("γ gives no finite ratios: type another γ"), g(gamma) {}
  float g;
};
void RequireFinite(std::initializer_list<double> constants, float g);

}  // namespace flowtables
