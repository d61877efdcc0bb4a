// Efficiency of one axial compressor stage from general lift/drag cascade
// correlations: a deviation rule for the nominal exit angle, curve fits of
// nominal deflection and profile drag against incidence, and simple secondary
// and annulus drag. Rotor blades and stator vanes share the correlations.
#pragma once

namespace stagemap {

// Degrees to radians, with π taken as 3.14159.
inline constexpr double kDeg = 3.14159 / 180;

// Quadratic through three values belonging to s/c = 0.5, 1.0 and 1.5,
// evaluated at sc.
double InterpolateSc(double y1, double y2, double y3, double sc);

// Nominal deflection ε* (deg) for an exit angle x (deg).
double NominalDeflection(double x, double sc);

// ε/ε* against the normalized incidence r.
double DeflectionRatio(double r);

// Profile drag coefficient against r; a parabola takes over above r = 0.4.
double ProfileDrag(double r, double sc);

// Nominal exit angle (deg) of blade angles θin', θout' (deg): ten passes of
// the deviation rule.
double NominalExitAngle(double inlet, double exit, double ac, double sc);

struct StageInput {
  double b1p, b2p;   // rotor blade angles β1', β2' (deg)
  double a2p, a3p;   // stator vane angles α2', α3' (deg)
  double inc;        // rotor incidence (deg)
  double ac, sc, sh; // a/c, s/c, s/h
  double r;          // degree of reaction, a fraction
};

struct StageResult {
  double eta, phi;
  double b1, b2;     // rotor flow angles (deg)
  double al2, al3;   // stator flow angles (deg)
  double incs;       // stator incidence (deg)
  double cdr, clr;   // rotor drag and lift
  double cds, cls;   // stator drag and lift
  double rr, rs;     // normalized incidences of rotor and stator
};

// Throws core::Failure for inputs that would divide by zero or take the
// square root of a negative s/c.
StageResult Stage(const StageInput& in);

}  // namespace stagemap
