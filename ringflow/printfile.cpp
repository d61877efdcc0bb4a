#include "ringflow/printfile.h"

#include <cmath>
#include <initializer_list>

#include "core/printline.h"
#include "lib/mathfn/mathfn.h"

namespace ringflow {

namespace {

// One line of zone-separated items; remembers whether any number was not
// finite, so a table is written whole or not at all.
class Row {
 public:
  explicit Row(bool& finite) : finite_(finite) {}
  Row& text(const char* t) {
    Sep();
    line_.text(t);
    return *this;
  }
  Row& num(float v) {
    Sep();
    if (!std::isfinite(v)) {
      finite_ = false;
      v = 0;
    }
    line_.num(v);
    return *this;
  }
  std::string str() const { return line_.str(); }

 private:
  void Sep() {
    if (started_) line_.zone();
    started_ = true;
  }
  core::PrintLine line_;
  bool& finite_;
  bool started_ = false;
};

std::string Headings(std::initializer_list<const char*> items) {
  bool finite = true;
  Row row(finite);
  for (const char* t : items) row.text(t);
  return row.str();
}

bool IsRotor(int j) { return (j - 1) % 2 == 0; }

}  // namespace

void AddHeading(const PrintHeading& h, std::vector<std::string>& out) {
  bool finite = true;
  out.push_back(
      "Streamline Analysis of the Incompressible Flow in a Single Stage of an Axial "
      "Turbomachine: " +
      h.turbo);
  out.emplace_back();
  out.push_back(Row(finite).text("Dhub=").num(h.dho).text("Dtip=").num(h.dto)
                    .text("Dtip/Dhub=").num(h.dtdh).str());
  out.push_back(Row(finite).text("Q(cfm)= ").num(h.qo).text("RPM= ").num(h.rotno)
                    .text("rho(sl / ft ^ 3)= ").num(h.rhoo).str());
  out.push_back(Row(finite).text("mdot (lbm/s)=").num(h.mdot).str());
  out.emplace_back();
  if (h.ntyp == 1) {
    out.push_back("Irrotational Flow - Free Vortex");
    out.push_back("Iterations not needed");
  }
  if (h.ntyp == 2) out.push_back("Radial Distribution of All Flow Angles Input");
  if (h.ntyp == 3) out.push_back("Radial Distribution of Hub, Mean, & Tip Flow Angles Input");
  if (h.ntyp == 2 || h.ntyp == 3)
    out.push_back(h.itty == 0 ? "Regula Falsi Iteration Used for Solution"
                              : "Interval Stepping Iteration Used for Solution");
  if (h.isl == 0) {
    out.push_back("Flow rates in hub and tip annuli are half of other annuli");
    out.push_back("Midpoint of hub annulus is at Dhub and Midpoint of tip annulus is at Dtip");
  }
  if (h.isl == 1) {
    out.push_back("Flow rates in all annuli are equal");
    out.push_back("Midpoint of hub and annulus are calculated");
  }
}

bool AddEntrance(const Solution& s, double rho, std::vector<std::string>& out) {
  std::vector<std::string> lines;
  lines.emplace_back();
  lines.push_back("ENTRANCE TO INLET GUIDE VANE");
  lines.push_back(Headings({"Dia0", "alpha0", "Ca0", "p0", "Pt0"}));
  bool finite = true;
  for (int i = 1; i <= s.nan; ++i) {
    const double ca = s.ca[1][i], p = s.p[1][i];
    lines.push_back(Row(finite)
                        .num(static_cast<float>(s.dmid[1][i]))
                        .num(static_cast<float>(s.alpha[1][i]))
                        .num(static_cast<float>(ca))
                        .num(static_cast<float>(p / 144))
                        .num(static_cast<float>(ca * rho * ca / 288 + p / 144))
                        .str());
  }
  if (!finite) return false;
  out.insert(out.end(), lines.begin(), lines.end());
  return true;
}

bool AddStation(const Solution& s, int j, double rho, float& ptot,
                std::vector<std::string>& out) {
  const bool rotor = IsRotor(j);
  const int r = j - 1;
  std::vector<std::string> lines;
  lines.emplace_back();
  lines.push_back(j == 2 ? "INLET GUIDE VANE EXIT" : rotor ? "ROTOR EXIT" : "STATOR EXIT");
  if (rotor)
    lines.push_back(Headings(
        {"Dia2", "alpha1", "alpha2", "beta1", "beta2", "betabar", "D_beta", "C2", "Cu2", "Ca2"}));
  else if (j > 2)
    lines.push_back(
        Headings({"Dia3", "alpha2", "alpha3", "alphabar", "D_alpha", "C3", "Cu3", "Ca3"}));
  else
    lines.push_back(
        Headings({"Dia1", "alpha0", "alpha1", "alphabar", "D_alpha", "C1", "Cu1", "Ca1"}));

  bool finite = true;
  for (int i = 1; i <= s.nan; ++i) {
    const float dia = static_cast<float>(s.dmid[j][i]);
    const float ain = static_cast<float>(s.alpha[j - 1][i] * kRad);
    const float aout = static_cast<float>(s.alpha[j][i] * kRad);
    // Flow angles from the tangential direction, relative for a rotor.
    float xin = static_cast<float>((rotor ? s.beta : s.alphaT)[j - 1][i] * kRad);
    float xout = static_cast<float>((rotor ? s.beta : s.alphaT)[j][i] * kRad);
    const float dx = xout - xin;
    xin = 90 - xin;
    xout = 90 - xout;
    const float mean = (xin + xout) / 2;
    Row row(finite);
    row.num(dia).num(ain).num(aout);
    if (rotor) row.num(xin).num(xout);
    row.num(mean).num(dx)
        .num(static_cast<float>(s.c[j][i]))
        .num(static_cast<float>(s.cu[j][i]))
        .num(static_cast<float>(s.ca[j][i]));
    lines.push_back(row.str());
  }

  if (rotor)
    lines.push_back(Headings({"Dia2", "Power", "Delta p", "p2", "Pt2", "%R", "phi2", "eta"}));
  else if (j > 2)
    lines.push_back(Headings({"Dia3", "Power", "Delta p", "p3", "Pt3", "phi3"}));
  else
    lines.push_back(Headings({"Dia1", "Power", "Delta p", "p1", "Pt1", "phi1"}));
  float total = 0;
  for (int i = 1; i <= s.nan; ++i) {
    const float power = static_cast<float>(s.w[r][i] / 550);
    total = total + power;
    const float p = static_cast<float>(s.p[j][i] / 144);
    const double c = s.c[j][i];
    Row row(finite);
    row.num(static_cast<float>(s.dmid[j][i]))
        .num(power)
        .num(static_cast<float>(s.dp[r][i] / 144))
        .num(p)
        .num(static_cast<float>(c * rho * c / 288 + p));
    if (rotor) {
      // Degree of reaction from the absolute and relative kinetic energies.
      const double w1 = s.ca[j - 1][i] / mathfn::cos(kPi / 2 - s.beta[j - 1][i]);
      const double w2 = s.ca[j][i] / mathfn::cos(kPi / 2 - s.beta[j][i]);
      const double cin = s.c[j - 1][i];
      row.num(static_cast<float>(1 / (1 + (c * c - cin * cin) / (w1 * w1 - w2 * w2))));
    }
    row.num(static_cast<float>(s.ca[j][i] / s.u[j][i]));
    if (rotor) row.num(static_cast<float>(s.eta[r][i]));
    lines.push_back(row.str());
  }
  if (rotor) {
    core::PrintLine line;
    line.text("").zone().num(std::isfinite(total) ? total : 0.0f).zone().text(
        "(total stage power)");
    if (!std::isfinite(total)) finite = false;
    lines.push_back(line.str());
  }
  if (!finite) return false;
  ptot = total;
  out.insert(out.end(), lines.begin(), lines.end());
  return true;
}

void AddFailure(int j, std::vector<std::string>& out) {
  out.emplace_back();
  core::PrintLine line;
  line.text("Did not converge for station ").num(static_cast<float>(j));
  out.push_back(line.str());
}

}  // namespace ringflow
