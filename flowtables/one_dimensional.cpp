#include "flowtables/one_dimensional.h"

#include <cmath>


namespace flowtables {

double Limit(double value) { return value > kResultLimit ? kResultLimit : value; }

float RowValue(float first, float last, int i) {
  const float step = (last - first) / 10.0f;
  const float offset = static_cast<float>(i) * step;
  return first + offset;
}

std::optional<double> SearchMach(const std::function<double(double)>& f, double target,
                                 double start, Branch branch) {
  // Both branches meet at M = 1, where a target on the boundary settles from
  // either side.
  auto onBranch = [branch](double m) {
    if (!std::isfinite(m) || m <= 0) return false;
    if (std::fabs(m - 1) < 1e-3) return true;
    return branch == Branch::Subsonic ? m < 1 : m > 1;
  };

  // The secant steps.
  double m = start, mp = 0, er = 0, erp = 0, erpp = 0;
  for (int pass = 0; pass < kSecantBound; ++pass) {
    er = target - f(m);
    if (!std::isfinite(er)) break;
    if (std::fabs(er) < 1e-11) {
      if (onBranch(m)) return m;
      break;
    }
    if (pass == 0) {
      mp = m;
      erp = er;
      m += 0.01;
      continue;
    }
    const double mpp = mp;
    erpp = erp;
    mp = m;
    erp = er;
    if (er == erpp) break;  // two equal errors: the secant has no slope
    m = m - er * (m - mpp) / (er - erpp);
    if (!std::isfinite(m)) break;
  }

  // Bisection on the branch. The function is monotone on each branch; the
  // interval is bracketed from M = 1 outwards, geometrically, because the
  // roots span many decades (a huge area ratio has a tiny subsonic M).
  double inner = 1.0, outer = 1.0;
  const double fInner = target - f(inner);
  if (!std::isfinite(fInner)) return std::nullopt;
  if (fInner == 0) return inner;
  bool bracketed = false;
  for (int k = 0; k < 2100 && !bracketed; ++k) {
    outer = branch == Branch::Subsonic ? outer / 2 : outer * 2;
    if (outer == 0 || !std::isfinite(outer)) break;
    const double fo = target - f(outer);
    if (!std::isfinite(fo)) continue;
    bracketed = (fo < 0) != (fInner < 0) || fo == 0;
    if (!bracketed) inner = outer;
  }
  if (!bracketed) return std::nullopt;
  double lo = std::fmin(inner, outer), hi = std::fmax(inner, outer);
  const double fLo = target - f(lo);
  for (int k = 0; k < 2200; ++k) {
    const double mid = lo > 0 && hi / lo > 4 ? std::sqrt(lo) * std::sqrt(hi) : lo + (hi - lo) / 2;
    if (mid <= lo || mid >= hi) break;
    const double fm = target - f(mid);
    if (!std::isfinite(fm)) return std::nullopt;
    if (std::fabs(fm) < 1e-11) return mid;
    if ((fm < 0) == (fLo < 0))
      lo = mid;
    else
      hi = mid;
  }
  // The interval has shrunk to adjacent numbers: the root is there.
  const double best = std::fabs(target - f(lo)) < std::fabs(target - f(hi)) ? lo : hi;
  return onBranch(best) ? std::optional<double>(best) : std::nullopt;
}

void RequireFinite(std::initializer_list<double> constants, float g) {
  for (double k : constants)
    if (!std::isfinite(k)) throw NoFiniteRatios(g);
}

}  // namespace flowtables
