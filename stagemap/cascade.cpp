#include "stagemap/cascade.h"

#include <cmath>
#include <string>

#include "core/failure.h"
#include "lib/mathfn/mathfn.h"

namespace stagemap {

namespace {

double Divide(double num, double den, const char* what) {
  if (den == 0) throw core::Failure(std::string("Division by zero: ") + what);
  return num / den;
}

}  // namespace

double InterpolateSc(double y1, double y2, double y3, double sc) {
  const double x1 = 0.5, x2 = 1.0, x3 = 1.5;
  const double c2 = ((y1 - y2) * (x1 - x3) / (x1 - x2) - (y1 - y3)) /
                    ((x1 * x1 - x2 * x2) * (x1 - x3) / (x1 - x2) - (x1 * x1 - x3 * x3));
  const double c1 = ((y1 - y2) - c2 * (x1 * x1 - x2 * x2)) / (x1 - x2);
  const double c0 = y1 - c1 * x1 - c2 * x1 * x1;
  return c0 + c1 * sc + c2 * sc * sc;
}

double NominalDeflection(double x, double sc) {
  const double y1 = 46.406 - 0.81875 * x + 0.0040625 * x * x;
  const double y2 = 34.125 - 0.5625 * x + 0.0025 * x * x;
  const double y3 = 26.875 - 0.4 * x + 0.00125 * x * x;
  return InterpolateSc(y1, y2, y3, sc);
}

double DeflectionRatio(double r) {
  return 1.00888 + 0.9705 * r - 0.72705 * r * r - 0.85952 * r * r * r +
         0.281156 * r * r * r * r;
}

double ProfileDrag(double r, double sc) {
  // Well past nominal incidence the blade stalls and the fits no longer hold.
  if (r > 0.4) return 0.118 - 0.63 * r + 1.0 * r * r;
  const double r2 = r * r, r3 = r2 * r;
  const double y1 = 0.018533 - 0.0117778 * r + 0.0605556 * r2 + 0.0388889 * r3;
  const double y2 = 0.014343 + 0.0007619 * r + 0.0538095 * r2 + 0.042857 * r3;
  const double y3 = 0.01168571 + 0.00735714 * r + 0.053452 * r2 + 0.0440476 * r3;
  return InterpolateSc(y1, y2, y3, sc);
}

double NominalExitAngle(double inlet, double exit, double ac, double sc) {
  if (sc < 0) throw core::Failure("s/c must not be negative");
  const double camber = exit - inlet;
  double out = exit;
  // The deviation depends on the exit angle it corrects; ten passes settle it.
  for (int pass = 0; pass < 10; ++pass) {
    const double m = 0.46 * ac + 0.1 * std::fabs(out) / 50;
    const double deviation = m * camber * std::sqrt(sc);
    out = exit - deviation;
  }
  return out;
}

StageResult Stage(const StageInput& in) {
  const double d = kDeg;
  const double R = in.r;
  StageResult s{};

  // Rotor.
  const double b2n = NominalExitAngle(in.b1p, in.b2p, in.ac, in.sc);
  const double er = NominalDeflection(-b2n, in.sc);
  const double b1s = b2n - er;
  const double ir = in.b1p - b1s;
  const double dr = in.inc - ir;
  s.b1 = b1s - dr;
  s.rr = Divide(dr, er, "zero nominal deflection of the rotor");
  s.b2 = s.b1 + DeflectionRatio(s.rr) * er;
  const double tb1 = mathfn::tan(s.b1 * d), tb2 = mathfn::tan(s.b2 * d);
  const double tbm = (tb2 + tb1) / 2;
  const double bm = mathfn::atan(tbm);
  s.phi = Divide(-R, tbm, "zero mean flow angle of the rotor");
  double cdp = ProfileDrag(s.rr, in.sc);
  s.clr = 2 * in.sc * (tb2 - tb1) * mathfn::cos(bm) + cdp * tbm;
  s.cdr = cdp + 0.018 * s.clr * s.clr + 0.02 * in.sh;
  const double gr = mathfn::atan(Divide(s.cdr, s.clr, "zero lift coefficient of the rotor"));
  double al2 =
      mathfn::atan(Divide(1 + s.phi * tb2, s.phi, "zero flow coefficient (reaction 0)")) / d;
  s.incs = in.a2p - al2;

  // Stator: its exit angle enters the fit with its own sign.
  const double a3n = NominalExitAngle(in.a2p, in.a3p, in.ac, in.sc);
  const double es = -NominalDeflection(a3n, in.sc);
  const double a2s = a3n - es;
  const double ds = s.incs - (in.a2p - a2s);
  s.al2 = a2s - ds;
  s.rs = Divide(ds, es, "zero nominal deflection of the stator");
  s.al3 = s.al2 + DeflectionRatio(s.rs) * es;
  const double ta2 = mathfn::tan(s.al2 * d), ta3 = mathfn::tan(s.al3 * d);
  const double tam = (ta3 + ta2) / 2;
  const double am = mathfn::atan(tam);
  cdp = ProfileDrag(s.rs, in.sc);
  s.cls = 2 * in.sc * (ta2 - ta3) * mathfn::cos(am) - cdp * tam;
  s.cds = cdp + 0.018 * s.cls * s.cls + 0.02 * in.sh;
  const double gs = -mathfn::atan(Divide(s.cds, s.cls, "zero lift coefficient of the stator"));

  // Loss angles in radians, as they are (not their tangents).
  s.eta = s.phi * (Divide(R - s.phi * gr, s.phi + gr * R, "rotor term of the efficiency") +
                   Divide((1 - R) + s.phi * gs, s.phi - gs * (1 - R),
                          "stator term of the efficiency"));
  return s;
}

}  // namespace stagemap
